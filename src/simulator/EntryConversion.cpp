#include "simulator/EntryConversion.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

// More digits than any register shows are refused before they overflow.
constexpr int kMaxDigitsRead = 16;

struct Limits {
    double lower = 0;
    double upper = 0;
};

enum class Kind { Decimal16, Hex, Decimal32 };

// A stored limit as a number of the register's width and sign.
double LimitValue(std::int32_t field, int width, bool isSigned)
{
    if (width == 16)
        return isSigned ? static_cast<std::int16_t>(field) : static_cast<std::uint16_t>(field);
    return isSigned ? static_cast<double>(field) : static_cast<double>(static_cast<std::uint32_t>(field));
}

Limits LimitPair(std::int32_t lower, std::int32_t upper, int width, bool isSigned)
{
    return {LimitValue(lower, width, isSigned), LimitValue(upper, width, isSigned)};
}

double Power(int base, int exponent)
{
    return std::pow(static_cast<double>(base), exponent);
}

// The value of digit `c` in base 10 or 16; -1 for any other character.
int DigitValue(char c, int base)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (base == 16 && lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

// The digits of `text` in base `base`, every other character skipped;
// nullopt for more digits than any register has.
std::optional<double> DigitsOf(std::string_view text, int base)
{
    double number = 0;
    int count = 0;
    for (const char c : text) {
        const int digit = DigitValue(c, base);
        if (digit < 0)
            continue;
        if (++count > kMaxDigitsRead)
            return std::nullopt;
        number = number * base + digit;
    }
    return number;
}

// A 16-bit decimal text ("+012.34") as a number of units of the last
// decimal: an optional sign, digits with one optional point; reading stops
// at any other character.
std::optional<double> DecimalNumber(std::string_view text, int decimals)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    double mantissa = 0;
    int digits = 0;
    int fraction = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        if (++digits > kMaxDigitsRead)
            return std::nullopt;
        mantissa = mantissa * 10 + (c - '0');
        fraction += point ? 1 : 0;
    }
    const double number = mantissa * Power(10, decimals - fraction);
    return negative ? -number : number;
}

// The typed number with its range check, before the limits.
std::optional<double> TypedNumber(std::string_view text, const RegisterFormat& format, Kind kind, int width)
{
    // A right-indented register shows the leading digits of its width.
    const int widthDigits = kind == Kind::Hex ? width / 4 : width == 16 ? 5 : 10;
    const int shift = format.alignment == 0 ? std::max(0, widthDigits - format.digits) : 0;
    if (kind == Kind::Hex) {
        const std::optional<double> n = DigitsOf(text, 16);
        return n ? std::optional(*n * Power(16, shift)) : std::nullopt;
    }
    if (kind == Kind::Decimal16) {
        const std::optional<double> d = DecimalNumber(text, format.decimals);
        if (!d)
            return std::nullopt;
        const double number = *d * Power(10, shift);
        const bool inRange = format.isSigned ? number >= -32768 && number <= 32767 : number >= 0 && number <= 65535;
        return inRange ? std::optional(number) : std::nullopt;
    }
    const std::optional<double> digits = DigitsOf(text, 10);
    if (!digits)
        return std::nullopt;
    const double n = *digits * Power(10, shift);
    if (!format.isSigned)
        return n <= 4294967295.0 ? std::optional(n) : std::nullopt;
    const bool negative = !text.empty() && text.front() == '-';
    const double magnitudeLimit = 2147483648.0;
    if (n > magnitudeLimit || (n == magnitudeLimit && !negative))
        return std::nullopt;
    return negative ? -n : n;
}

} // namespace

int EntryWidth(int wordSize, int registerCount)
{
    if (wordSize == 16 && registerCount == 1)
        return 16;
    if ((wordSize == 16 && registerCount == 2) || (wordSize == 32 && registerCount == 1))
        return 32;
    return 0;
}

std::optional<std::uint32_t> ConvertEntry(std::string_view text, const RegisterFormat& format, int width)
{
    if (width != 16 && width != 32)
        return std::nullopt;
    const Kind kind = format.hexBcd ? Kind::Hex : width == 16 ? Kind::Decimal16 : Kind::Decimal32;
    const bool isSigned = format.isSigned && kind != Kind::Hex;
    const std::optional<double> typed = TypedNumber(text, format, kind, width);
    if (!typed)
        return std::nullopt;

    double value = *typed;
    const Limits raw = LimitPair(format.rawLower, format.rawUpper, width, isSigned);
    const Limits limits = format.engineeringScale ? LimitPair(format.engLower, format.engUpper, width, isSigned) : raw;
    if (value < limits.lower || value > limits.upper)
        return std::nullopt;
    if (format.engineeringScale) {
        // Equal engineering limits leave no span to scale by.
        if (limits.upper == limits.lower)
            return std::nullopt;
        value = (raw.upper - raw.lower) / (limits.upper - limits.lower) * (value - limits.lower) + raw.lower;
    }
    const double whole = kind == Kind::Decimal32 ? std::trunc(value) : std::floor(value + 0.5);
    const auto pattern = static_cast<std::uint32_t>(static_cast<std::int64_t>(whole));
    return width == 16 ? pattern & 0xFFFFu : pattern;
}
