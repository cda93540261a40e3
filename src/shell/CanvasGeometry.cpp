#include "shell/CanvasGeometry.h"

#include <algorithm>

DotPoint GridDot(int column, int row, int columns, int rows, int clientWidth, int clientHeight)
{
    return {clientWidth * column / columns, clientHeight * row / rows};
}

DotPoint DotFromPixel(double px, double py, int clientWidth, int clientHeight)
{
    const CanvasScale s(clientWidth, clientHeight);
    return {TruncToInt(static_cast<float>(px) / s.sx), TruncToInt(static_cast<float>(py) / s.syFloat)};
}

PixelRect RubberBandPixelRect(const PixelRect& bandDots, int clientWidth, int clientHeight)
{
    const CanvasScale s(clientWidth, clientHeight);
    return {TruncToInt(static_cast<float>(bandDots.left) * s.sx), TruncToInt(bandDots.top * s.sy),
        TruncToInt(static_cast<float>(bandDots.right) * s.sx), TruncToInt(bandDots.bottom * s.sy)};
}

PixelRect ToolPreviewRect(int cursorX, int cursorY, int w, int h, int clientWidth, int clientHeight)
{
    const CanvasScale s(clientWidth, clientHeight);
    const float boxW = static_cast<float>(w) * s.sx;
    const float boxH = static_cast<float>(h) * s.syFloat;
    PixelRect r;
    r.left = std::max(cursorX, 0);
    r.top = std::max(cursorY, 0);
    r.right = TruncToInt(static_cast<float>(r.left) + boxW);
    r.bottom = TruncToInt(static_cast<float>(r.top) + boxH);
    const float displayBottom = 64.0f * s.syFloat;
    if (static_cast<float>(r.bottom) > displayBottom) {
        r.bottom = TruncToInt(displayBottom);
        r.top = TruncToInt(static_cast<float>(r.bottom) - boxH);
    }
    const float displayRight = 192.0f * s.sx;
    if (static_cast<float>(r.right) > displayRight) {
        r.right = TruncToInt(displayRight);
        r.left = TruncToInt(static_cast<float>(r.right) - boxW);
    }
    return r;
}

DotPoint PlacementPosition(int px, int py, int w, int h, int clientWidth, int clientHeight)
{
    const CanvasScale s(clientWidth, clientHeight);
    float x = static_cast<float>(px);
    float y = static_cast<float>(py);
    if (x / s.sx + static_cast<float>(w) > 192.0f)
        x = static_cast<float>(TruncToInt(s.sx * static_cast<float>(kDisplayWidth - w)));
    if (y / s.syFloat + static_cast<float>(h) > 64.0f)
        y = static_cast<float>(TruncToInt(s.syFloat * static_cast<float>(kDisplayHeight - h)));
    return {TruncToInt(x / s.sx), TruncToInt(y / s.syFloat)};
}

DotPoint DragTarget(int cx, int cy, float pressX, float pressY, float startX, float startY,
    int clientWidth, int clientHeight)
{
    // The pixel offset scaled by 192 / W and 64 / H, in the constants the
    // drag has always used.
    const float tx = (static_cast<float>(cx) - pressX) * 10000.0f / static_cast<float>(clientWidth) * 0.0192f + startX;
    const float ty = (static_cast<float>(cy) - pressY) * 10000.0f / static_cast<float>(clientHeight) * 0.0064f + startY;
    return {TruncToInt(tx), TruncToInt(ty)};
}

void ClampDragDelta(int& dx, int& dy, const std::vector<DotBox>& selected)
{
    for (const DotBox& b : selected) {
        if (b.x + dx < 0)
            dx = -b.x;
        if (b.y + dy < 0)
            dy = -b.y;
        if (b.w + dx + b.x > kDisplayWidth)
            dx = kDisplayWidth - b.w - b.x;
        if (b.h + dy + b.y > kDisplayHeight)
            dy = kDisplayHeight - b.h - b.y;
    }
}

DotPoint MovedPosition(const DotBox& box, int dx, int dy)
{
    return {std::clamp(box.x + dx, 0, std::max(0, kDisplayWidth - box.w)),
        std::clamp(box.y + dy, 0, std::max(0, kDisplayHeight - box.h))};
}

PixelRect NormalizedBand(const PixelRect& band)
{
    return {std::min(band.left, band.right), std::min(band.top, band.bottom), std::max(band.left, band.right),
        std::max(band.top, band.bottom)};
}

BandEffect RubberBandEffect(const PixelRect& band, const DotBox& box)
{
    const bool inside = PixelRectContains(band, box.x + 2, box.y + 2)
        && PixelRectContains(band, box.x + box.w - 2, box.y + box.h - 2);
    if (inside)
        return BandEffect::Select;
    const bool isPoint = band.left == band.right && band.top == band.bottom;
    return isPoint ? BandEffect::Keep : BandEffect::Deselect;
}

int Rgb565ToLuminance(int pixel)
{
    const int r = ((pixel >> 11) & 31) * 1984 / 255;
    const int g = ((pixel >> 5) & 63) * 1000 / 255;
    const int b = (pixel & 31) * 1984 / 255;
    return TruncToInt(0.587 * g + 0.299 * r + 0.114 * b);
}

void ReducePixelsToBlackAndWhite(std::vector<std::uint8_t>& pixels, int width, int height, int bitsPerPixel)
{
    const int bytesPerPixel = (bitsPerPixel & ~7) / 8;
    if (bytesPerPixel < 1 || bytesPerPixel > 4 || width <= 0 || height <= 0)
        return;
    const std::size_t count = std::min(pixels.size() / bytesPerPixel, static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t* p = pixels.data() + i * bytesPerPixel;
        int luminance = 0;
        int changed = bytesPerPixel;
        switch (bytesPerPixel) {
        case 1:
            luminance = p[0];
            break;
        case 2:
            luminance = Rgb565ToLuminance(p[0] + 256 * p[1]);
            break;
        default: // blue, green, red; a fourth byte stays as it is
            luminance = TruncToInt(0.114 * p[0] + 0.587 * p[1] + 0.299 * p[2]);
            changed = 3;
            break;
        }
        std::fill(p, p + changed, luminance >= 100 ? 255 : 0);
    }
}
