#pragma once

#include <optional>
#include <string_view>

// The project password as the password dialog takes it: leading blanks
// dropped, then exactly four digits, sent as their decimal value ("0099" is
// 99). Anything else is refused (nothing), and the dialog asks again.
std::optional<int> ProjectPasswordValue(std::string_view typed);
