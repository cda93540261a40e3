#pragma once

#include "base/ValueText.h"

#include <cstdint>
#include <optional>

// The increment and decrement of a function key or global button: the
// register's value V moved by the step S, kept within the limit L (an upper
// bound for increment, a lower bound for decrement). Values travel as bit
// patterns of their width; the step and the limit as 32-bit patterns.

enum class StepDirection { Increment, Decrement };

// The new value V + S or V - S, wrapped to `width` (16 or 32 bits), or
// nullopt when the limit refuses it. HEX and unsigned values compare as
// unsigned numbers and refuse any wrap past 0 or past the width's top;
// signed values compare as signed numbers of the width (a 16-bit value uses
// the limit's low 16 bits) and refuse a wrap from the top to the bottom of
// the range or back.
std::optional<std::uint32_t> SteppedValue(StepDirection direction, NumberFormat format, int width, std::uint32_t value,
    std::uint32_t step, std::uint32_t limit);
