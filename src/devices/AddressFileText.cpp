#include "devices/AddressFileText.h"

#include <climits>
#include <cstdint>

namespace {

bool IsAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

void ForEachLine(std::string_view bytes, const std::function<bool(std::string_view)>& take)
{
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        const std::string_view line = bytes.substr(0, lf);
        if (!take(line) || lf == std::string_view::npos)
            return;
        bytes.remove_prefix(lf + 1);
    }
}

std::string_view TrimLeft(std::string_view text)
{
    while (!text.empty() && IsAsciiSpace(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view Trim(std::string_view text)
{
    text = TrimLeft(text);
    while (!text.empty() && IsAsciiSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

int LeadingDecimal(std::string_view text)
{
    text = TrimLeft(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > static_cast<std::int64_t>(INT_MAX) + 1)
            value = static_cast<std::int64_t>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}
