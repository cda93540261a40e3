#pragma once

// The 192 x 64 dot display and its scaling onto a drawing area of W x H
// pixels: the coordinates every element is stored in and drawn by. The
// arithmetic keeps the precisions the panel tools have always used
// (single-precision horizontal scale, truncation only where a value becomes a
// pixel or a dot), so element boxes land on the same pixels as before.

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
    bool operator==(const DotBox&) const = default;
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

// A coordinate becomes a pixel or a dot by truncation toward zero.
inline int TruncToInt(double v)
{
    return static_cast<int>(v);
}
