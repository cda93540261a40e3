#include "transfer/ProjectPassword.h"

#include <algorithm>

namespace {

constexpr std::size_t kPasswordLength = 4;

} // namespace

std::optional<int> ProjectPasswordValue(std::string_view typed)
{
    typed.remove_prefix(std::min(typed.find_first_not_of(" \t"), typed.size()));
    if (typed.size() != kPasswordLength
        || !std::all_of(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    for (const char c : typed)
        value = value * 10 + (c - '0');
    return value;
}
