#pragma once

#include <cstddef>
#include <cstdint>

// The two checks of the serial link.

// CRC-16 as in Modbus RTU: start 0xFFFF, reflected polynomial 0xA001. No bytes
// give 0xFFFF. Frames carry it low byte first.
std::uint16_t ComputeCrc16(std::size_t length, const std::uint8_t* bytes);

// The 8-bit sum of the first `length` - 3 bytes of an ASCII device reply (the
// last three bytes are the two sum digits and the terminator); 0 when the
// reply has fewer than 4 bytes.
std::uint8_t ComputeSum8(std::size_t length, const std::uint8_t* bytes);

// An ASCII device reply of n bytes carries its sum as two hexadecimal digits
// (upper or lower case, high digit first) at n - 3 and n - 2. False when the
// reply is shorter than 3 bytes or a digit is not hexadecimal.
bool ReplySum8IsValid(std::size_t length, const std::uint8_t* reply);

// A raw-byte reply of n bytes ends in the CRC-16 of its first n - 2 bytes,
// low byte first. False when the reply is shorter than 2 bytes.
bool ReplyCrc16IsValid(std::size_t length, const std::uint8_t* reply);
