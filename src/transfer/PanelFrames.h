#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The frames exchanged with the panel. A frame is [station][function code]
// [payload][CRC-16 low][CRC-16 high]; replies have the same layout. Every
// exchange is one request and one reply of a known length.

// Station byte of every block frame (the panel's own station; nothing changes it).
inline constexpr std::uint8_t kPageStation = 1;

inline constexpr std::size_t kBlockSize = 256;
// [station][0x05 or 0x07][block number][256 data bytes][CRC low][CRC high]
inline constexpr std::size_t kBlockFrameLength = kBlockSize + 5;
// First block number of the panel image's main area and of its header area.
inline constexpr std::uint8_t kFirstMainBlock = 0x60;
inline constexpr std::uint8_t kFirstHeaderBlock = 0xF0;

// Function codes (byte 1) of requests and of the replies that accept them.
enum PanelFunction : std::uint8_t {
    kFunctionBegin = 0x02, // begin and probe frames; also the accepted password reply
    kFunctionBlockWrite = 0x05,
    kFunctionBlockRead = 0x07,
    kFunctionVersion = 0x08,
    kFunctionLockQuery = 0x09,
    kFunctionPassword = 0x0A,
    kFunctionEnd = 0x10,
};

// Byte 2 of a lock query reply whose byte 1 is kFunctionLockQuery.
enum PanelLockAnswer : std::uint8_t {
    kLockAsksPassword = 1,
    kLockRefusesRead = 2,
};

// Begin of a write: a 4-byte frame followed by the same bytes reversed.
inline constexpr std::array<std::uint8_t, 8> kBeginFrame{0x01, 0x02, 0x81, 0xE1, 0xE1, 0x81, 0x02, 0x01};
// Begin of a page download.
inline constexpr std::array<std::uint8_t, 4> kProbeFrame{0x01, 0x02, 0x81, 0xE1};
inline constexpr std::array<std::uint8_t, 4> kEndFrame{0x01, 0x10, 0x01, 0xEC};
inline constexpr std::array<std::uint8_t, 4> kVersionFrame{0x01, 0x08, 0x01, 0xE6};
// Sent exactly so: the panel expects 0C 26 here, not the CRC of 01 09 (C0 26).
inline constexpr std::array<std::uint8_t, 8> kLockQueryFrame{0x01, 0x09, 0x0C, 0x26, 0x26, 0x0C, 0x09, 0x01};

// Lengths of the replies that the panel sends to each frame.
inline constexpr int kBeginReplyLength = 4;
inline constexpr int kProbeReplyLength = 4;
inline constexpr int kEndReplyLength = 4;
inline constexpr int kVersionReplyLength = 5;
inline constexpr int kLockQueryReplyLength = 8;
inline constexpr int kPasswordReplyLength = 6;
inline constexpr int kBlockWriteReplyLength = 5;
inline constexpr int kBlockReadReplyLength = static_cast<int>(kBlockFrameLength);

// 01 0A, password low byte, password high byte, CRC.
std::array<std::uint8_t, 6> BuildPasswordFrame(int password);
// 01 07, block number, CRC.
std::array<std::uint8_t, 5> BuildBlockReadFrame(std::uint8_t block);
// Fills `destination` (261 bytes) with the block frame that writes the 256
// bytes of `source` into block `block`; returns the frame's CRC.
std::uint16_t BuildPageFrame(const std::uint8_t* source, std::uint8_t* destination, std::uint8_t block);

// Byte 1 of a reply is the expected function code.
bool ReplyHasFunction(const std::uint8_t* reply, std::uint8_t function);
// A reply that carries data (a block read, the version) is taken only when
// its function code is right and its CRC matches: a corrupt reply must never
// become image data or a version number.
bool DataReplyIsValid(const std::uint8_t* reply, int length, std::uint8_t function);
