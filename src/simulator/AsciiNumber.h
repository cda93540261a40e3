#pragma once

#include <cstdint>

// One number field of an ASCII device reply. The format code that the
// protocol library gives for a read says how the device writes it: its low
// four bits are the field's character count; codes 0x80 to 0x8F are signed
// decimal numbers, every other code hexadecimal digits.

// The character count of a field of `formatCode`.
constexpr int AsciiFieldLength(int formatCode)
{
    return formatCode & 0x0F;
}

// The value of the field at `text`, which must hold AsciiFieldLength(formatCode)
// characters. Decimal: leading blanks and a sign are accepted and reading
// stops at the first character that is no digit. Hexadecimal: '0'-'9',
// 'A'-'F' and 'a'-'f' each add a digit, most significant first; any other
// character is skipped. A count of 0 gives 0.
int ParseAsciiNumber(const std::uint8_t* text, int formatCode);
