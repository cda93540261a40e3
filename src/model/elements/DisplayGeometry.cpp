#include "model/elements/DisplayGeometry.h"

namespace {

// 1/192 as the single-precision constant the scale has always used.
constexpr float kInverseDisplayWidth = 0.0052083335f;

} // namespace

CanvasScale::CanvasScale(int clientWidth, int clientHeight)
    : sx(static_cast<float>(clientWidth) * kInverseDisplayWidth)
    , syFloat(static_cast<float>(clientHeight) * 0.015625f)
    , sy(clientHeight * 0.015625)
{
}

PixelRect ElementPixelRect(const DotBox& box, int clientWidth, int clientHeight)
{
    const CanvasScale s(clientWidth, clientHeight);
    PixelRect r;
    r.left = TruncToInt(static_cast<float>(box.x) * s.sx);
    r.top = TruncToInt(box.y * s.sy);
    r.right = TruncToInt(static_cast<float>(r.left) + static_cast<float>(box.w) * s.sx);
    r.bottom = TruncToInt(r.top + box.h * s.sy);
    return r;
}

bool PixelRectContains(const PixelRect& rect, int px, int py)
{
    return px >= rect.left && px < rect.right && py >= rect.top && py < rect.bottom;
}
