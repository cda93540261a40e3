#include "model/elements/RegisterEntry.h"

#include <algorithm>

namespace RegisterEntry {

namespace {

bool IsSignedDecimal(const RegisterFormat& format)
{
    return format.isSigned && !format.hexBcd;
}

// Index of the character under the cursor, or -1 when the cursor is outside the text.
int CursorIndex(const std::string& text, int cursor)
{
    const int size = static_cast<int>(text.size());
    if (cursor < 0 || cursor >= size)
        return -1;
    return size - cursor - 1;
}

std::string LastChars(const std::string& text, int count)
{
    const size_t keep = static_cast<size_t>(std::max(count, 0));
    return text.size() > keep ? text.substr(text.size() - keep) : text;
}

// Shifts a decimal number (without sign) one digit to the left and appends the
// digit; the point stays at its place. A text with fewer digits than the
// register shows is first filled with leading zeros.
std::string ShiftInDecimal(std::string number, char digit, int digits, int decimals)
{
    number.erase(std::remove(number.begin(), number.end(), '.'), number.end());
    if (static_cast<int>(number.size()) < digits)
        number.insert(0, static_cast<size_t>(digits) - number.size(), '0');
    return WithDecimalPoint(LastChars(number, digits - 1) + digit, digits, decimals);
}

}  // namespace

void TypeDigit(std::string& text, int cursor, char digit, const RegisterFormat& format)
{
    if (text.empty())
        return;
    if (cursor > 0) {
        const int index = CursorIndex(text, cursor);
        if (index >= 0)
            text[static_cast<size_t>(index)] = digit;
        return;
    }
    if (cursor < 0)
        return;
    if (format.hexBcd) {
        text = text.substr(1) + digit;
        return;
    }
    std::string sign;
    std::string number = text;
    if (format.isSigned) {
        sign = number.substr(0, 1);
        number.erase(0, 1);
    }
    text = sign + ShiftInDecimal(number, digit, format.digits, format.decimals);
}

void ClearEntry(std::string& text, const RegisterFormat& format)
{
    const size_t first = IsSignedDecimal(format) ? 1 : 0;
    for (size_t i = first; i < text.size(); ++i) {
        if (text[i] != '.')
            text[i] = '0';
    }
}

void IncrementDigit(std::string& text, int cursor, const RegisterFormat& format)
{
    const int index = CursorIndex(text, cursor);
    if (index < 0)
        return;
    char& c = text[static_cast<size_t>(index)];
    if (!format.hexBcd && c == '9')
        c = '0';
    else if (format.hexBcd && c == '9')
        c = 'A';
    else if (format.hexBcd && c == 'F')
        c = '0';
    else
        ++c;
}

void DecrementDigit(std::string& text, int cursor, const RegisterFormat& format)
{
    const int index = CursorIndex(text, cursor);
    if (index < 0)
        return;
    char& c = text[static_cast<size_t>(index)];
    if (!format.hexBcd && c == '0')
        c = '9';
    else if (format.hexBcd && c == 'A')
        c = '9';
    else if (format.hexBcd && c == '0')
        c = 'F';
    else
        --c;
}

void ToggleSign(std::string& text, const RegisterFormat& format)
{
    if (!IsSignedDecimal(format) || text.empty())
        return;
    text[0] = text[0] == '-' ? '+' : '-';
}

void MoveCursorLeft(int& cursor, const RegisterFormat& format)
{
    const int digits = format.digits;
    const int decimals = format.decimals;
    const int highest = (decimals > 0 && decimals < digits) ? digits : digits - 1;
    if (cursor >= highest)
        return;
    ++cursor;
    if (decimals > 0 && cursor == decimals)
        ++cursor;
}

void MoveCursorRight(int& cursor, const RegisterFormat& format)
{
    if (cursor <= 0)
        return;
    --cursor;
    if (format.decimals > 0 && cursor == format.decimals)
        --cursor;
}

}  // namespace RegisterEntry
