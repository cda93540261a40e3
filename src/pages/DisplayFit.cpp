#include "pages/DisplayFit.h"

#include <algorithm>

bool FitsOnAxis(int position, int extent, int displayExtent)
{
    return position >= 0 && position + extent <= displayExtent;
}

int PullInside(int position, int extent, int displayExtent)
{
    if (position + extent <= displayExtent)
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
