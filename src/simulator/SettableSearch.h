#pragma once

#include "model/ElementRef.h"

// The registers of a screen that the keypad's SET offers for value entry.

// The position of the first register that allows entry, searched from
// `start` to the end of `elements` and, with `wrap`, then from the first
// element up to `start`; -1 when there is none. A start beyond the list
// searches nothing before the wrap.
int FindNextSettable(const ElementList& elements, int start, bool wrap);
