#pragma once

#include "model/elements/DisplayGeometry.h"

#include <QImage>

class QPainter;

// The 48 x 48 black-and-white pictures that function keys and lamps draw,
// by their bitmap ids: key faces (normal, inverse, invisible, see
// PanelKeys.h), the hand icon 194 and the lamps 195 round lit, 196 round
// unlit, 197 square lit, 198 square unlit. They are drawn here rather than
// loaded. An unknown id gives a white picture.
constexpr int kHandIconBitmap = 194;
constexpr int kRoundLampLitBitmap = 195;
constexpr int kSquareLampLitBitmap = 197;

const QImage& PanelBitmap(int bitmapId);

// Stretches bitmap `bitmapId` into `box`. In the editor it is copied; on the
// simulated display the box is first filled with the display colour and the
// bitmap is combined with it by AND, so white shows the display colour.
void DrawPanelBitmap(QPainter& painter, const PixelRect& box, int bitmapId, bool simulating);

// Stretches `image` into `box` as DrawPanelBitmap does.
void DrawBitmapInBox(QPainter& painter, const PixelRect& box, const QImage& image, bool simulating);
