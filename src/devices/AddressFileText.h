#pragma once

#include <functional>
#include <string_view>

// Line and field handling shared by the two readers of the address-table
// file. The file is read in binary; LF separates lines and a CR stays at the
// end of its line until trimming removes it. Only ASCII white space is
// trimmed: it never occurs as a GBK trail byte.

// Calls `take` for every line without its LF; stops early when it returns false.
void ForEachLine(std::string_view bytes, const std::function<bool(std::string_view)>& take);

std::string_view TrimLeft(std::string_view text);
std::string_view Trim(std::string_view text);

// The decimal number at the start of `text` (after optional blanks and a
// sign; 0 when no digit follows), clamped to the int range.
int LeadingDecimal(std::string_view text);
