#include "base/ValueText.h"

#include <cstdio>

namespace {

int DigitOf(char c, int base)
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

} // namespace

NumberFormat NumberFormatOfCode(int code)
{
    return code >= 0 && code <= 2 ? static_cast<NumberFormat>(code) : NumberFormat::Unsigned;
}

NumberFormat RegisterNumberFormat(bool hexBcd, bool isSigned)
{
    if (hexBcd)
        return NumberFormat::Hex;
    return isSigned ? NumberFormat::Signed : NumberFormat::Unsigned;
}

int ValueBits(int wordSize, int registerCount)
{
    return wordSize == 16 && registerCount == 1 ? 16 : 32;
}

NumberRange ValueRange(NumberFormat format, int bits)
{
    const bool narrow = bits == 16;
    if (format == NumberFormat::Signed)
        return narrow ? NumberRange{-32768, 32767} : NumberRange{-2147483648LL, 2147483647LL};
    return narrow ? NumberRange{0, 0xFFFF} : NumberRange{0, 0xFFFFFFFFLL};
}

DigitLimit WidthDigitLimit(int bits)
{
    return bits == 16 ? DigitLimit{4, 5} : DigitLimit{8, 10};
}

int MaxValueDigits(NumberFormat format, int bits)
{
    const DigitLimit limit = WidthDigitLimit(bits);
    return format == NumberFormat::Hex ? limit.hex : limit.decimal;
}

std::optional<std::int64_t> ParseValueText(std::string_view text, NumberFormat format, int bits, DigitLimit digits)
{
    const bool negative = format == NumberFormat::Signed && !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const int base = format == NumberFormat::Hex ? 16 : 10;
    const int maxDigits = format == NumberFormat::Hex ? digits.hex : digits.decimal;
    if (static_cast<int>(text.size()) > maxDigits)
        return std::nullopt;

    // The magnitude stops growing once it is past the range, so no length of
    // text can overflow it.
    const NumberRange range = ValueRange(format, bits);
    const std::int64_t limit = negative ? -range.min : range.max;
    std::int64_t magnitude = 0;
    for (const char c : text) {
        const int digit = DigitOf(c, base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return negative ? -magnitude : magnitude;
}

std::int32_t ValueField(std::int64_t value)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::int64_t FieldValue(std::int32_t field, NumberFormat format)
{
    if (format == NumberFormat::Signed)
        return field;
    return static_cast<std::uint32_t>(field);
}

std::string FormatValueText(std::int32_t field, NumberFormat format, int bits)
{
    char text[16];
    const auto pattern = static_cast<std::uint32_t>(field);
    switch (format) {
    case NumberFormat::Hex:
        std::snprintf(text, sizeof text, "%X", pattern);
        break;
    case NumberFormat::Unsigned:
        std::snprintf(text, sizeof text, "%u", pattern);
        break;
    case NumberFormat::Signed:
        std::snprintf(text, sizeof text, "%d",
            bits == 16 ? static_cast<int>(static_cast<std::int16_t>(pattern & 0xFFFF)) : static_cast<int>(field));
        break;
    }
    return text;
}
