#pragma once

#include "model/elements/CScreenElement.h"

// The lamp page's lists show the stored codes in the opposite order: shape
// "圆形" (index 0) is code 1 (round) and "方形" (index 1) code 0 (square);
// logic "正逻辑" (index 0) is code 1 (positive) and "负逻辑" (index 1) code 0.
int LampCodeOfListIndex(int index);
int LampListIndexOfCode(int code);

// A lamp is 16 x 16 dots, 32 x 32 at double size. Switching double size on
// moves it back inside the display; switching it off keeps its position.
DotBox LampBoxForDoubleSize(DotBox box, bool doubleSize);
