#pragma once

#include "model/PasswordEntry.h"

#include <optional>
#include <vector>

// The level the panel's password prompt grants for the typed digits
// `typedValue` (read as a decimal number): that of the last row of `table`
// whose password, read as a decimal number, equals it; nothing when no row
// matches.
std::optional<int> GrantedPasswordLevel(const std::vector<PasswordEntry>& table, int typedValue);

// Whether a granted level lets an item protected at level index
// `levelIndex` (0 the first level) act.
constexpr bool LevelGranted(int grantedLevel, int levelIndex)
{
    return grantedLevel >= levelIndex + 1;
}
