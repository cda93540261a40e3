#include "simulator/KeypadFace.h"

#include "model/elements/PanelKeys.h"

#include <array>

namespace {

struct FaceKey {
    KeyArea area;
    int zavoX, zavoY;
    int merdoX, merdoY;
};

// By key code.
constexpr std::array<FaceKey, kPanelKeyCount> kFaceKeys = {{
    {{484, 521, 332, 367}, 482, 330, 482, 329}, // left
    {{569, 605, 332, 367}, 567, 330, 567, 329}, // right
    {{526, 562, 304, 339}, 524, 303, 524, 305}, // up
    {{526, 562, 359, 395}, 525, 358, 525, 357}, // down
    {{332, 371, 317, 352}, 333, 315, 329, 315}, // ESC
    {{426, 464, 317, 352}, 425, 315, 422, 315}, // SET
    {{426, 464, 359, 394}, 425, 357, 422, 357}, // ENT
    {{380, 417, 359, 394}, 379, 357, 376, 357}, // ALM
    {{84, 120, 317, 352}, 84, 315, 81, 315},    // 0
    {{130, 166, 317, 352}, 130, 315, 126, 315}, // 1
    {{176, 212, 317, 352}, 176, 315, 172, 315}, // 2
    {{222, 258, 317, 352}, 222, 315, 218, 315}, // 3
    {{268, 304, 317, 352}, 268, 315, 265, 315}, // 4
    {{84, 120, 359, 394}, 84, 357, 81, 357},    // 5
    {{130, 166, 359, 394}, 130, 357, 126, 357}, // 6
    {{176, 212, 359, 394}, 176, 357, 172, 357}, // 7
    {{222, 258, 359, 394}, 222, 357, 218, 357}, // 8
    {{268, 304, 359, 394}, 268, 357, 265, 357}, // 9
    {{332, 371, 359, 394}, 333, 357, 329, 357}, // +/-
    {{380, 417, 317, 352}, 379, 315, 376, 315}, // CLR
    {{537, 573, 126, 162}, 534, 125, 534, 124}, // F1
    {{537, 573, 167, 203}, 534, 166, 534, 165}, // F2
    {{537, 573, 207, 243}, 534, 207, 534, 206}, // F3
    {{537, 573, 248, 284}, 534, 247, 534, 246}, // F4
}};

// The order in which a press is tested.
constexpr std::array<int, kPanelKeyCount> kHitOrder = {
    KeyDigit0, KeyDigit0 + 5, KeyDigit0 + 1, KeyDigit0 + 6, KeyDigit0 + 2, KeyDigit0 + 7, KeyDigit0 + 3,
    KeyDigit0 + 8, KeyDigit0 + 4, KeyDigit0 + 9, KeyEsc, KeyPlusMinus, KeyClr, KeyAlm, KeySet, KeyEnt, KeyUp,
    KeyDown, KeyF1, KeyF1 + 1, KeyF1 + 2, KeyF1 + 3, KeyLeft, KeyRight,
};

} // namespace

KeyArea KeyPressArea(int keyCode)
{
    return kFaceKeys.at(static_cast<std::size_t>(keyCode)).area;
}

int KeyAtPoint(int x, int y)
{
    for (int key : kHitOrder)
        if (KeyPressArea(key).Contains(x, y))
            return key;
    return -1;
}

KeypadFaceName FaceNameFromText(std::string_view text)
{
    if (text == "ZAVO")
        return KeypadFaceName::Zavo;
    if (text == "MERDO")
        return KeypadFaceName::Merdo;
    return KeypadFaceName::None;
}

std::optional<PixelRect> PressedKeyPicture(int keyCode, KeypadFaceName face)
{
    if (face == KeypadFaceName::None || keyCode < 0 || keyCode >= kPanelKeyCount)
        return std::nullopt;
    const FaceKey& key = kFaceKeys[static_cast<std::size_t>(keyCode)];
    if (face == KeypadFaceName::Zavo)
        return PixelRect{key.zavoX, key.zavoY, key.zavoX + 39, key.zavoY + 39};
    return PixelRect{key.merdoX, key.merdoY, key.merdoX + 58, key.merdoY + 40};
}
