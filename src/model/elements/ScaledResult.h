#pragma once

#include <cstdint>

// Turns the result of a floating-point scaling into the 32-bit value the panel
// would show: a fractional part of one half or more rounds up (ceil), a smaller
// one is cut toward zero. NaN, infinities and results outside the target range
// become -2147483648 (only bit 31 set) instead of an undefined conversion.
// The target range is int32 for signed values and [INT32_MIN, UINT32_MAX] for
// unsigned ones; the returned bits are those of the result modulo 2^32.
constexpr uint32_t kInvalidScaledResult = 0x80000000u;

uint32_t RoundScaledResult(double result, bool unsignedResult);

// Truncates toward zero into int32; NaN, infinities and out-of-range values
// give -2147483648.
int32_t TruncateToInt32(double value);
