#pragma once

#include "model/elements/DisplayGeometry.h"

#include <cstdint>
#include <optional>
#include <vector>

// Geometry of the canvas that shows the display stretched over a client area
// of W x H pixels: grid, presses, dragging, rubber band and tool preview. Kept
// free of widgets so that every number the canvas computes can be checked
// headless.

// The grid dot at the inner corner of column line `column` and row line
// `row` (1-based lines of a columns x rows grid).
DotPoint GridDot(int column, int row, int columns, int rows, int clientWidth, int clientHeight);

// The dot under a pixel, as a press or a rubber band takes it.
DotPoint DotFromPixel(double px, double py, int clientWidth, int clientHeight);

// The rubber band's outline in pixels for a band given in dots.
PixelRect RubberBandPixelRect(const PixelRect& bandDots, int clientWidth, int clientHeight);

// The dotted preview box of an armed tool of default size w x h dots with the
// cursor at (cursorX, cursorY); it never leaves the display.
PixelRect ToolPreviewRect(int cursorX, int cursorY, int w, int h, int clientWidth, int clientHeight);

// Where a new element of size w x h dots lands for a press at pixel (px, py):
// kept inside the display, limited in pixels and converted back.
DotPoint PlacementPosition(int px, int py, int w, int h, int clientWidth, int clientHeight);

// The dot a pressed element is dragged to when the cursor is at (cx, cy),
// the press was at (pressX, pressY) pixels and the element then stood at
// (startX, startY) dots.
DotPoint DragTarget(int cx, int cy, float pressX, float pressY, float startX, float startY,
    int clientWidth, int clientHeight);

// Limits the step (dx, dy) so that every box of `selected` stays inside the
// display after moving by it.
void ClampDragDelta(int& dx, int& dy, const std::vector<DotBox>& selected);

// A box moved by (dx, dy) and limited to the display.
DotPoint MovedPosition(const DotBox& box, int dx, int dy);

// The rubber band in dots put in order (left <= right, top <= bottom).
PixelRect NormalizedBand(const PixelRect& band);

// What a finished rubber band does to one element: select it when both inner
// corners (x + 2, y + 2) and (x + w - 2, y + h - 2) lie inside the ordered
// band; otherwise deselect it, unless the band is only a point (nothing).
enum class BandEffect { Select, Deselect, Keep };
BandEffect RubberBandEffect(const PixelRect& orderedBand, const DotBox& box);

// Luminance of a 16-bit 5-6-5 pixel as the picture reduction weighs it.
int Rgb565ToLuminance(int pixel);

// Reduces the first width x height pixels of `pixels` to black and white in
// place, by whole bytes per pixel (bits per pixel 8, 16, 24 or 32; the lowest
// three bits are ignored). Bytes of a pixel are blue, green, red. Any other
// depth leaves the pixels as they are.
void ReducePixelsToBlackAndWhite(std::vector<std::uint8_t>& pixels, int width, int height, int bitsPerPixel);
