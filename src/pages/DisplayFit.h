#pragma once

#include "model/elements/CScreenElement.h"

#include <optional>

// Where an element may stand on the 192 x 64 display, for the position and
// size fields of the property pages.

// Whether an element of `extent` dots may start at `position` on an axis of
// `displayExtent` dots: it starts at 0 or later and ends at the display's
// edge or before.
bool FitsOnAxis(int position, int extent, int displayExtent);

// The position on an axis that keeps an element of `extent` dots inside:
// unchanged when it fits, else moved back to end at the edge (but not
// before 0).
int PullInside(int position, int extent, int displayExtent);

// The box of an element that takes `size`: refused (nullopt) unless the
// width is 1 to 192 and the height 1 to 64; the position is pulled back so
// that the box stays on the display.
std::optional<DotBox> ResizeOnDisplay(DotBox box, DotSize size);
