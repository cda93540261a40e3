#pragma once

#include "model/elements/RegisterFormat.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The keypad's value entry on a register: the typed text turned into the
// raw value written to the device.

// The width of a register's value as entry writes it: 16 for one 16-bit
// register, 32 for two 16-bit registers or one 32-bit register, 0 for any
// other combination, which entry never writes.
int EntryWidth(int wordSize, int registerCount);

// The raw value (a bit pattern of `width` 16 or 32) of the entry text
// `text` of a register with `format`, or nullopt when it is refused.
//
// The text is read by the register's format: a 16-bit decimal text as a
// signed number with its decimal point (scaled to the register's decimals),
// a 32-bit decimal text by its digits (negative when it starts with "-"), a
// HEX/BCD text by its hexadecimal digits. A right-indented register
// (alignment 0) shows the leading digits of its width, so the number is
// shifted up by the digits it does not show; a register with more digits
// than its width has is never shifted down. The number must lie in the
// width's range (none for HEX/BCD) and within the register's limits: the
// engineering limits of a scaled register, else the raw limits, each taken
// as numbers of the register's width and sign. A scaled value is mapped
// linearly from the engineering onto the raw range; equal engineering
// limits give no scale and refuse every value. The raw value is rounded
// to the nearest integer (halves upward), a 32-bit decimal one cut toward
// zero.
std::optional<std::uint32_t> ConvertEntry(std::string_view text, const RegisterFormat& format, int width);
