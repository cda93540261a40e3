#pragma once

#include <cstdint>
#include <optional>
#include <span>

// A device's reply as the simulation reads it: the bytes that came, where
// its data starts and how the protocol writes values (the read's outputs of
// the protocol library). Every decoder reads only bytes that came and gives
// nothing for a field that reaches beyond them.
struct DeviceReply {
    std::span<const std::uint8_t> bytes;
    int dataPosition = 0;
    int format = 0;     // ASCII protocols: the read's format code (AsciiNumber.h)
    bool binary = true; // raw bytes ending in CRC-16; false: ASCII text ending in an 8-bit sum
};

// Whether the bytes end in the check of their protocol: the CRC-16 of the
// bytes before it, or two hexadecimal digits of the 8-bit sum of the bytes
// before them and one terminator.
bool ReplyPassesCheck(std::span<const std::uint8_t> bytes, bool binary);

// The 16-bit big-endian word at byte `position`.
std::optional<int> ReplyWord(const DeviceReply& reply, int position);
// The 32-bit value of the two words at `position`: the first word is the
// high one when `highFront`, else the second.
std::optional<std::uint32_t> ReplyDoubleWord(const DeviceReply& reply, int position, bool highFront);
// The ASCII number field of the reply's format at `position`.
std::optional<int> ReplyAsciiField(const DeviceReply& reply, int position);

// A register value of `width` 16 or 32 at the data position plus `offset`:
// one or two binary words, or the ASCII field.
std::optional<std::uint32_t> ReplyValue(const DeviceReply& reply, int offset, int width, bool highFront);
