#include "devices/GridTextRules.h"

#include "devices/AddressFileText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <unordered_set>

namespace {

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(char c)
{
    return IsDecimalDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Only called on texts that passed a filter of ASCII characters, so no byte
// here can be the trail byte of a double-byte character.
std::string UpperAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return UpperAscii(c); });
    return text;
}

// The saved value reads as a decimal number the way the owner stores it
// (leading digits, optional minus); its low 16 bits are what hexadecimal
// cells show.
std::string HexFromDecimalText(const std::string& decimal)
{
    if (decimal.empty())
        return {};
    std::size_t pos = 0;
    const bool negative = decimal[0] == '-';
    if (negative)
        pos = 1;
    std::int64_t value = 0;
    for (; pos < decimal.size() && IsDecimalDigit(decimal[pos]) && value < 0x10000000; ++pos)
        value = value * 10 + (decimal[pos] - '0');
    if (negative)
        value = -value;
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(value & 0xFFFF));
    return buffer;
}

bool IsNumber(ValueFilter filter, const std::string& text)
{
    if (filter == ValueFilter::HexDigits)
        return !text.empty() && std::all_of(text.begin(), text.end(), IsHexDigit);
    const std::size_t start = (!text.empty() && text[0] == '-') ? 1 : 0;
    return text.size() > start && std::all_of(text.begin() + start, text.end(), IsDecimalDigit);
}

} // namespace

ValueFilterResult FilterValueText(ValueFilter filter, const std::string& typed, const std::string& savedText)
{
    switch (filter) {
    case ValueFilter::AnyText:
        return {false, typed};
    case ValueFilter::DecimalDigits:
    case ValueFilter::SignedDecimal:
        for (std::size_t i = 0; i < typed.size(); ++i) {
            const bool minusAllowed = filter == ValueFilter::SignedDecimal && i == 0;
            if (!IsDecimalDigit(typed[i]) && !(minusAllowed && typed[i] == '-'))
                return {true, savedText};
        }
        return {false, typed};
    case ValueFilter::HexDigits:
        if (!std::all_of(typed.begin(), typed.end(), IsHexDigit))
            return {true, HexFromDecimalText(savedText)};
        return {false, UpperAscii(typed)};
    }
    return {false, typed};
}

std::string NormaliseCommittedValue(ValueFilter filter, const std::string& text)
{
    if (!IsNumber(filter, text))
        return text;
    const bool negative = text[0] == '-';
    const std::size_t digits = negative ? 1 : 0;
    const std::size_t firstNonZero = text.find_first_not_of('0', digits);
    if (firstNonZero == std::string::npos)
        return "0";
    return (negative ? "-" : "") + UpperAscii(text.substr(firstNonZero));
}

bool HasRepeatedText(const std::vector<std::string>& texts)
{
    std::unordered_set<std::string> seen;
    for (const auto& text : texts) {
        if (!text.empty() && !seen.insert(text).second)
            return true;
    }
    return false;
}

bool IsHeldByOtherRow(const std::vector<std::string>& columnTexts, int row, const std::string& text)
{
    if (text.empty())
        return false;
    for (std::size_t i = 0; i < columnTexts.size(); ++i) {
        if (static_cast<int>(i) != row && columnTexts[i] == text)
            return true;
    }
    return false;
}

std::optional<std::string> FilterAddressText(bool wordOnly, const std::string& typed)
{
    if (wordOnly) {
        if (typed.size() > 4 || !std::all_of(typed.begin(), typed.end(), IsHexDigit))
            return std::nullopt;
        return UpperAscii(typed);
    }
    if (typed.size() > 6)
        return std::nullopt;
    const std::size_t point = typed.find('.');
    if (typed.size() >= 5 && (point == std::string::npos || point >= 5))
        return std::nullopt;
    if (point == 0)
        return std::nullopt;
    if (!std::all_of(typed.begin(), typed.end(), [](char c) { return c == '.' || IsHexDigit(c); }))
        return std::nullopt;
    if (point != std::string::npos && (typed.size() - point - 1 > 1 || typed.find('.', point + 1) != std::string::npos))
        return std::nullopt; // more than one character, or a second point, after the point
    return UpperAscii(typed);
}

int TrailingRowsToAppend(const std::vector<bool>& rowHasName)
{
    const int rowCount = static_cast<int>(rowHasName.size());
    int lastNamed = 0;
    for (int row = rowCount - 1; row >= std::max(0, rowCount - 10); --row) {
        if (rowHasName[row]) {
            lastNamed = row;
            break;
        }
    }
    return std::max(0, lastNamed + 11 - rowCount);
}

std::string TrimBlanks(const std::string& text)
{
    return std::string(Trim(text));
}
