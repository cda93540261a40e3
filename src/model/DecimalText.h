#pragma once

#include <string>
#include <string_view>

// The number written at the start of a text: optional blanks and sign, then
// decimal digits; 0 when there are none. Values beyond 32 bits saturate.
int LeadingDecimal(std::string_view text);
