#pragma once

#include "model/ElementRef.h"

// The four layer operations on the selected elements of an element list,
// whose order is the drawing order (the first element is the bottom layer).
// Each returns whether the order changed.

// The selected elements go to the front of the list in their order, the
// others follow in theirs; all stay selected.
bool SendToBottom(ElementList& elements);
// The selected elements go to the end of the list in their order. Nothing
// moves when the topmost element is selected.
bool BringToTop(ElementList& elements);
// Each selected element changes places with the one below it; a run of
// adjacent selected elements moves together. Nothing moves when the bottom
// element is selected.
bool MoveDownOne(ElementList& elements);
// Each selected element changes places with the one above it. Nothing moves
// when the topmost element is selected.
bool MoveUpOne(ElementList& elements);
