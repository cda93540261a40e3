#pragma once

#include "model/GlobalButton.h"

#include <vector>

// The keys offered to a new global button, as GlobalKeyCodes in the order the
// key list shows them: F1 to F4, '0' to '9', the arrows left, right, down and
// up, SET, ENT, +/-, CLR, ESC, and ALM last while the project has no alarm
// block (the ALM key then opens the alarm display). Each button of `buttons`
// takes its key out of the list, once.
std::vector<int> FreeGlobalKeys(const std::vector<GlobalButton>& buttons, bool hasAlarmBlocks);

// The key chosen before the user picks one, and when no key is free.
constexpr int kDefaultGlobalKey = 5;

// The key a new button takes without a choice: the first free key.
int FirstFreeGlobalKey(const std::vector<int>& freeKeys);
