#pragma once

#include "model/ElementRef.h"

// Creation by kind: the one place that knows which class each kind code
// and sub-kind stands for.

// A new element of `kind` paired with its kind code. `subKind` is the
// dynamic flag of a text (1 dynamic) and the curve flag of a graph (1 curve);
// other kinds ignore it. An empty ref (no element) for a kind outside 0 to 5.
ElementRef CreateElement(int kind, int subKind = 0);

// The new element that `tool` (1 to 8) places; an empty ref for tool 0.
ElementRef CreateElementForTool(ToolCode tool);
