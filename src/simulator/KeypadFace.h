#pragma once

#include "model/elements/DisplayGeometry.h"

#include <optional>
#include <string_view>

// The picture of the panel's face in the keypad window, in the window's
// client pixels: the face itself, the display window the canvas covers
// while simulating, and the 24 keys a press is tested against.

constexpr int kFaceWidth = 650;
constexpr int kFaceHeight = 361;
// The face's top-left corner in the keypad window.
constexpr int kFaceLeft = 0;
constexpr int kFaceTop = 40;

// Where the canvas stands over the face while simulating (the view places
// it there; the keypad window is the view's top-left child).
constexpr PixelRect kDisplayWindow{103, 155, 476, 285};

// A key's press area: both ends of each range belong to it.
struct KeyArea {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;

    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool operator==(const KeyArea&) const = default;
};

// The press area of key `keyCode` (0 to 23, PanelKeys.h).
KeyArea KeyPressArea(int keyCode);

// The key under the point, or -1. The areas are tried column by column
// across the digit rows (upper row before lower), then up and down, the F1
// to F4 column, left and right; the first hit wins.
int KeyAtPoint(int x, int y);

// The optional resource library names the face its pressed-key pictures
// belong to; without one no pressed key is drawn.
enum class KeypadFaceName { None, Zavo, Merdo };
KeypadFaceName FaceNameFromText(std::string_view text);

// Where the pressed picture of key `keyCode` goes on face `face`: 39 x 39
// pixels on "ZAVO", 58 x 40 on "MERDO"; nothing without a named face.
std::optional<PixelRect> PressedKeyPicture(int keyCode, KeypadFaceName face);
