#include "pages/GraphBoxRules.h"

#include "pages/DisplayFit.h"

#include <algorithm>

bool GraphExtentFits(int position, int extent, int displayExtent)
{
    return extent >= kMinGraphExtent && FitsOnAxis(position, extent, displayExtent);
}

bool IsVerticalBar(int direction)
{
    return direction == 1 || direction == 2;
}

DotBox TurnBar(DotBox box, int from, int to)
{
    if (IsVerticalBar(from) == IsVerticalBar(to))
        return box;
    const DotSize turned{std::min(box.h, kDisplayWidth), std::min(box.w, kDisplayHeight)};
    // A degenerate box (no width or height) only changes its direction.
    return ResizeOnDisplay(box, turned).value_or(box);
}

int DataPointsForWidth(int dataPoints, int width)
{
    return std::min(dataPoints, width - kMinDataPoints);
}

std::optional<int> CurveWidthForDataPoints(DotBox box, int dataPoints)
{
    // Held to what the display can show before the width is summed.
    if (dataPoints < kMinDataPoints || dataPoints > kDisplayWidth - kMinDataPoints)
        return std::nullopt;
    const int needed = dataPoints + kMinDataPoints;
    if (!FitsOnAxis(box.x, needed, kDisplayWidth))
        return std::nullopt;
    return std::max(box.w, needed);
}

bool SampleIntervalAccepted(int seconds)
{
    return seconds >= 1 && seconds <= 0xFFFF;
}
