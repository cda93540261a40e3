#include "model/elements/PanelKeys.h"

namespace {

constexpr PanelKeyInfo kKeys[kPanelKeyCount] = {
    {1, 11, 61303, 140, 134, 190, "←"},
    {2, 5, 61304, 139, 133, 191, "→"},
    {4, 23, 61305, 138, 135, 192, "↑"},
    {3, 17, 61306, 137, 136, 189, "↓"},
    {0, 13, 61302, 142, 141, 187, "ESC"},
    {5, 1, 61308, 144, 143, 188, "SET"},
    {6, 3, 61309, 146, 145, 186, "ENT"},
    {7, 9, 61310, 148, 147, 183, "ALM"},
    {8, 18, 61311, 149, 150, 173, "0"},
    {9, 12, 61312, 152, 151, 174, "1"},
    {10, 6, 61313, 154, 153, 175, "2"},
    {11, 0, 61314, 156, 176, 155, "3"},
    {12, 19, 61315, 158, 157, 177, "4"},
    {13, 20, 61316, 160, 159, 178, "5"},
    {14, 14, 61317, 162, 161, 179, "6"},
    {15, 8, 61318, 164, 163, 180, "7"},
    {16, 2, 61319, 166, 165, 181, "8"},
    {17, 21, 61320, 168, 167, 182, "9"},
    {18, 15, 61321, 170, 169, 184, "+/-"},
    {19, 7, 61307, 172, 171, 185, "CLR"},
    {20, 22, 61322, 202, 220, 214, "F1"},
    {21, 16, 61323, 203, 219, 207, "F2"},
    {22, 10, 61324, 205, 218, 215, "F3"},
    {23, 4, 61325, 206, 216, 217, "F4"},
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
