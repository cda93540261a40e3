#pragma once

#include <string>

// One enabled row of the password table.
struct PasswordEntry {
    int Slot = 0;  // dialog row 0 to 5
    int Level = 1; // 1 low, 2 middle, 3 high
    std::string Password; // four decimal digits

    bool operator==(const PasswordEntry&) const = default;
};
