#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// Geometry of the canvas that shows the 192 x 64 dot display stretched over
// a client area of W x H pixels. Kept free of widgets so that every number
// the canvas computes can be checked headless. The arithmetic keeps the
// precisions the panel tools have always used (single-precision horizontal
// scale, truncation only where a value becomes a pixel or a dot), so element
// boxes land on the same pixels as before.

constexpr int kDisplayWidth = 192;
constexpr int kDisplayHeight = 64;

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

// A box in display dots: position and size.
struct DotBox {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

struct DotPoint {
    int x = 0;
    int y = 0;
    bool operator==(const DotPoint&) const = default;
};

// Scale factors of a client area: sx = W / 192 in single precision,
// sy = H / 64 both in single and in full precision (element boxes and the
// rubber band use the full one, the editing handlers the single one).
struct CanvasScale {
    CanvasScale(int clientWidth, int clientHeight);
    float sx;
    float syFloat;
    double sy;
};

// An element's box in client pixels; left and top included, right and
// bottom excluded when hit testing.
PixelRect ElementPixelRect(const DotBox& box, int clientWidth, int clientHeight);
bool PixelRectContains(const PixelRect& rect, int px, int py);

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
