#pragma once

#include "model/elements/RegisterFormat.h"

#include <cstdint>
#include <string>

// Formatting of a polled register value into the text the simulated display
// shows. width is 16 for a 16-bit value (0 to 65535) and 32 for a 32-bit one;
// the simulation start may pass other widths, which format like 16 except for
// the sign rule.

// Clamps the value to the raw limits (only for settable or scaled registers).
uint32_t ClampToRawLimits(const RegisterFormat& format, uint32_t value, int width);

// Scales a raw value linearly from the raw range to the engineering range.
uint32_t ScaleToEngineering(const RegisterFormat& format, uint32_t value, int width);

// Writes the value as HEX/BCD, signed or unsigned decimal text, cut to the
// digits and with its decimal point.
std::string FormatRegisterText(const RegisterFormat& format, uint32_t value, int width);

// The whole chain: clamping, scaling and formatting.
std::string FormatLiveValue(const RegisterFormat& format, uint32_t value, int width);
