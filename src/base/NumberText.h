#pragma once

#include <string_view>

// Texts typed by the user or read from device files, turned into numbers.
// Both read the text from its last character (lowest digit) to its first,
// accept either case and give 0 for an empty text and -1 as soon as a
// character lies outside the base. The value is kept modulo 2^32 and returned
// as a signed 32-bit number, so only the last eight hexadecimal digits count
// and "FFFFFFFF" gives -1, the same as a bad character.

int ParseHexText(std::string_view text);
int ParseOctalText(std::string_view text);

// The value of one ASCII hexadecimal digit (either case), -1 for any other
// character.
int HexDigitValue(char c);
