#pragma once

#include "model/elements/CScreenElement.h"

// The size of a run of `length` characters (8 x 16 dots each, 16 x 32 with
// double size) placed at (x, y), cut so that it stays inside the 192 x 64
// display: the size a text or register rebuilt from the panel takes.
DotSize TextRunSize(int x, int y, int length, bool doubleSize);
