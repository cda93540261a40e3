#include "base/NumberText.h"

#include <cstdint>

namespace {

// Digit value of an ASCII character in `base` (up to 16), or -1.
int DigitValue(char c, int base)
{
    int digit = -1;
    if (c >= '0' && c <= '9')
        digit = c - '0';
    else if (c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
    return digit < base ? digit : -1;
}

// Unsigned arithmetic wraps modulo 2^32 instead of overflowing.
int ParseInBase(std::string_view text, int base)
{
    std::uint32_t value = 0;
    std::uint32_t weight = 1;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        const int digit = DigitValue(*it, base);
        if (digit < 0)
            return -1;
        value += static_cast<std::uint32_t>(digit) * weight;
        weight *= static_cast<std::uint32_t>(base);
    }
    return static_cast<int>(value);
}

} // namespace

int ParseHexText(std::string_view text)
{
    return ParseInBase(text, 16);
}

int ParseOctalText(std::string_view text)
{
    return ParseInBase(text, 8);
}

int HexDigitValue(char c)
{
    return DigitValue(c, 16);
}
