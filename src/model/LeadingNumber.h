#pragma once

#include <cstdint>
#include <string>

// The number written at the start of a text, as the panel files take it:
// optional blanks, an optional sign, then decimal digits up to the first other
// character; 0 when there are none. Overlong numbers wrap modulo 2^32.
int32_t LeadingDecimalNumber(const std::string& text);
