#pragma once

#include "model/elements/CScreenElement.h"

#include <optional>

// Where bar and curve graphs stand and how large they are: the size fields of
// both pages, the bar's direction and the curve's data points.

constexpr int kMinGraphExtent = 16;

// A width or height typed for a graph at `position` on an axis of
// `displayExtent` dots: at least 16 dots, and the graph stays on the display.
bool GraphExtentFits(int position, int extent, int displayExtent);

// Bar directions: 1 up, 2 down, 3 left, 4 right.
bool IsVerticalBar(int direction);

// The box of a bar turned from direction `from` to `to`: turning between a
// vertical and a horizontal direction exchanges width and height (each cut
// to the display) and moves the box back onto the display; otherwise the
// box stays.
DotBox TurnBar(DotBox box, int from, int to);

// A curve shows at least 2 data points and is at least data points + 2 dots
// wide.
constexpr int kMinDataPoints = 2;

// The data points a curve keeps at `width`: cut to width - 2 when it has more.
int DataPointsForWidth(int dataPoints, int width);

// The width a curve at `box` takes for `dataPoints` typed: widened to data
// points + 2 when narrower, else its own; nullopt when refused (fewer than 2
// data points, or a curve that would leave the display).
std::optional<int> CurveWidthForDataPoints(DotBox box, int dataPoints);

// A sample interval is 1 to 65535 seconds.
bool SampleIntervalAccepted(int seconds);
