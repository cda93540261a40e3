#pragma once

#include "shell/CanvasGeometry.h"
#include "model/ElementRef.h"

#include <memory>
#include <vector>

// Selection work on an element list as the canvas does it: the list order is
// the drawing order, so the last element is the topmost one. An element
// counts as selected only while its Selected flag is exactly 1.

int CountSelected(const ElementList& elements);
void DeselectAll(const ElementList& elements);

// The topmost element whose pixel box on a clientWidth x clientHeight canvas
// contains (px, py), left and top edges included; nullptr when none.
std::shared_ptr<CScreenElement> TopmostElementAt(
    const ElementList& elements, int px, int py, int clientWidth, int clientHeight);

// Limits the step (dx, dy) so that every selected element stays inside the
// display after moving by it.
void ClampSelectionStep(int& dx, int& dy, const ElementList& elements);

// Moves every selected element by (dx, dy), each limited to the display;
// returns the moved elements in list order.
std::vector<std::shared_ptr<CScreenElement>> MoveSelection(const ElementList& elements, int dx, int dy);

// A finished rubber band (in dots): puts `band` in order in place, then
// selects every element whose inner corners lie inside it and, when
// `mayDeselect`, deselects the others. A band that is only a point changes no
// selection.
void ApplyRubberBand(const ElementList& elements, PixelRect& band, bool mayDeselect);
