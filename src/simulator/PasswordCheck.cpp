#include "simulator/PasswordCheck.h"

#include <cctype>

namespace {

// The leading decimal digits of a stored password; a text with none is no
// password at all.
std::optional<int> PasswordNumber(const std::string& text)
{
    int value = 0;
    std::size_t digits = 0;
    while (digits < text.size() && digits < 9 && std::isdigit(static_cast<unsigned char>(text[digits])))
        value = value * 10 + (text[digits++] - '0');
    return digits > 0 ? std::optional(value) : std::nullopt;
}

} // namespace

std::optional<int> GrantedPasswordLevel(const std::vector<PasswordEntry>& table, int typedValue)
{
    std::optional<int> granted;
    for (const PasswordEntry& entry : table)
        if (PasswordNumber(entry.Password) == typedValue)
            granted = entry.Level;
    return granted;
}
