#include "pages/DisplayFit.h"

#include <algorithm>
#include <cstdint>

namespace {

// The end of an element on an axis, summed wide: no typed position or
// extent can make it wrap past the display's edge.
std::int64_t EndOnAxis(int position, int extent)
{
    return std::int64_t{position} + extent;
}

} // namespace

bool FitsOnAxis(int position, int extent, int displayExtent)
{
    return position >= 0 && EndOnAxis(position, extent) <= displayExtent;
}

int PullInside(int position, int extent, int displayExtent)
{
    if (EndOnAxis(position, extent) <= displayExtent)
        return position;
    return std::max(0, displayExtent - extent);
}

std::optional<DotBox> ResizeOnDisplay(DotBox box, DotSize size)
{
    if (size.width < 1 || size.width > kDisplayWidth || size.height < 1 || size.height > kDisplayHeight)
        return std::nullopt;
    return DotBox{PullInside(box.x, size.width, kDisplayWidth), PullInside(box.y, size.height, kDisplayHeight),
        size.width, size.height};
}
