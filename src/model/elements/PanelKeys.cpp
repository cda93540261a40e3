#include "model/elements/PanelKeys.h"

#include "StringIds.h"
#include "base/StringTable.h"

namespace {

constexpr PanelKeyInfo kKeys[kPanelKeyCount] = {
    {1, 11, IdsKeyLeft, 140, 134, 190, "←", 3},
    {2, 5, IdsKeyRight, 139, 133, 191, "→", 4},
    {4, 23, IdsKeyUp, 138, 135, 192, "↑", 1},
    {3, 17, IdsKeyDown, 137, 136, 189, "↓", 2},
    {0, 13, IdsKeyEsc, 142, 141, 187, "ESC", 15},
    {5, 1, IdsKeySet, 144, 143, 188, "SET", 19},
    {6, 3, IdsKeyEnt, 146, 145, 186, "ENT", 20},
    {7, 9, IdsKeyAlm, 148, 147, 183, "ALM", 18},
    {8, 18, IdsKey0, 149, 150, 173, "0", 5},
    {9, 12, IdsKey1, 152, 151, 174, "1", 6},
    {10, 6, IdsKey2, 154, 153, 175, "2", 7},
    {11, 0, IdsKey3, 156, 176, 155, "3", 8},
    {12, 19, IdsKey4, 158, 157, 177, "4", 9},
    {13, 20, IdsKey5, 160, 159, 178, "5", 10},
    {14, 14, IdsKey6, 162, 161, 179, "6", 11},
    {15, 8, IdsKey7, 164, 163, 180, "7", 12},
    {16, 2, IdsKey8, 166, 165, 181, "8", 13},
    {17, 21, IdsKey9, 168, 167, 182, "9", 14},
    {18, 15, IdsKeyPlusMinus, 170, 169, 184, "+/-", 16},
    {19, 7, IdsKeyClr, 172, 171, 185, "CLR", 17},
    {20, 22, IdsKeyF1, 202, 220, 214, "F1", 21},
    {21, 16, IdsKeyF2, 203, 219, 207, "F2", 22},
    {22, 10, IdsKeyF3, 205, 218, 215, "F3", 23},
    {23, 4, IdsKeyF4, 206, 216, 217, "F4", 24},
};

template <class Code>
int FindKey(Code code)
{
    for (int key = 0; key < kPanelKeyCount; ++key)
        if (code(kKeys[key]))
            return key;
    return -1;
}

} // namespace

const PanelKeyInfo* PanelKey(int keyCode)
{
    return keyCode >= 0 && keyCode < kPanelKeyCount ? &kKeys[keyCode] : nullptr;
}

int KeyFromFileCode(int fileCode)
{
    return FindKey([fileCode](const PanelKeyInfo& k) { return k.fileCode == fileCode; });
}

int KeyFromPanelCode(int panelCode)
{
    return FindKey([panelCode](const PanelKeyInfo& k) { return k.panelCode == panelCode; });
}

int KeyFromName(const std::string& gbkName)
{
    return FindKey([&gbkName](const PanelKeyInfo& k) { return StringGbk(k.nameId) == gbkName; });
}

int KeyFromDeferredCode(int deferredCode)
{
    return FindKey([deferredCode](const PanelKeyInfo& k) { return k.deferredCode == deferredCode; });
}

int GlobalKeyCode(int keyCode)
{
    const PanelKeyInfo* key = PanelKey(keyCode);
    return key ? key->panelCode : -1;
}

int GlobalKeyNameId(int globalCode)
{
    const PanelKeyInfo* key = PanelKey(KeyFromPanelCode(globalCode));
    return key ? key->nameId : 0;
}
