#include "simulator/AsciiNumber.h"

namespace {

int HexDigit(std::uint8_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

int ParseDecimal(const std::uint8_t* text, int count)
{
    int i = 0;
    while (i < count && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < count && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < count && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + (text[i] - '0');
    return static_cast<int>(negative ? -value : value);
}

} // namespace

int ParseAsciiNumber(const std::uint8_t* text, int formatCode)
{
    const int count = AsciiFieldLength(formatCode);
    if ((formatCode & 0xF0) == 0x80)
        return ParseDecimal(text, count);
    unsigned value = 0;
    for (int i = 0; i < count; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit >= 0)
            value = value * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<int>(value);
}
