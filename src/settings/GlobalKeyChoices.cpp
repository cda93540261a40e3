#include "settings/GlobalKeyChoices.h"

#include "model/elements/PanelKeys.h"

#include <algorithm>
#include <array>

namespace {

// Key codes in list order, ALM left out.
constexpr std::array<int, 23> kListOrder = {KeyF1, KeyF1 + 1, KeyF1 + 2, KeyF1 + 3,
    KeyDigit0, KeyDigit0 + 1, KeyDigit0 + 2, KeyDigit0 + 3, KeyDigit0 + 4, KeyDigit0 + 5, KeyDigit0 + 6,
    KeyDigit0 + 7, KeyDigit0 + 8, KeyDigit0 + 9, KeyLeft, KeyRight, KeyDown, KeyUp, KeySet, KeyEnt,
    KeyPlusMinus, KeyClr, KeyEsc};

} // namespace

std::vector<int> FreeGlobalKeys(const std::vector<GlobalButton>& buttons, bool hasAlarmBlocks)
{
    std::vector<int> keys;
    for (int key : kListOrder)
        keys.push_back(GlobalKeyCode(key));
    if (!hasAlarmBlocks)
        keys.push_back(GlobalKeyCode(KeyAlm));
    for (const GlobalButton& button : buttons)
        if (const auto taken = std::find(keys.begin(), keys.end(), button.KeyCode); taken != keys.end())
            keys.erase(taken);
    return keys;
}

int FirstFreeGlobalKey(const std::vector<int>& freeKeys)
{
    return freeKeys.empty() ? kDefaultGlobalKey : freeKeys.front();
}
