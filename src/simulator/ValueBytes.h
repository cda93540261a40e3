#pragma once

#include <cstdint>
#include <vector>

// The bytes of a register value as a write sends them: a 16-bit value high
// byte first; a 32-bit value b3 b2 b1 b0 (b3 the most significant) when
// the device keeps the high word first (`highFront`), else b1 b0 b3 b2.
// `width` is 16 or 32.
std::vector<std::uint8_t> ValueBytes(std::uint32_t value, int width, bool highFront);
