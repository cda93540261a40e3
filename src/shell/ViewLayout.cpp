#include "shell/ViewLayout.h"

namespace {

// While simulating the canvas sits over the keypad window's picture of the
// panel's display.
const QRect SimulatedCanvas(103, 155, 373, 130);

QRect FromEdges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

ViewLayout ComputeViewLayout(int w, int h, bool simulating)
{
    ViewLayout l;
    l.cx = (w / 10) / 4;
    l.cy = (h / 8) / 2;
    l.bandWidth = 2 * l.cx + CanvasWidth;
    l.bandHeight = 2 * l.cy + CanvasHeight;
    const int fourFifths = 4 * w / 5;
    l.wide = fourFifths >= l.bandWidth;

    l.canvas = simulating ? SimulatedCanvas : QRect(l.cx, l.cy, CanvasWidth, CanvasHeight);
    if (l.wide) {
        l.pages = QRect(0, l.bandHeight, fourFifths, h - l.bandHeight);
        l.keypad = QRect(0, 0, fourFifths, h);
        l.dataWindow = QRect(fourFifths, 0, w / 5, h);
    } else {
        l.pages = QRect(0, l.bandHeight, l.bandWidth, h - l.bandHeight);
        l.keypad = QRect(0, 0, w, h);
        l.dataWindow = QRect(l.bandWidth, 0, w / 5, h);
    }

    l.backgroundRight = fourFifths > l.bandWidth ? w - w / 5 : l.bandWidth;

    int left = l.cx + CanvasWidth + 10;
    int right = fourFifths;
    const int top = l.cy;
    const int bottom = l.cy + CanvasHeight;
    if (right - left > 200) {
        left += (right - left - 200) / 2;
        right = left + 200;
    }
    l.chart = FromEdges(left, top, right, bottom);
    l.chartVisible = right >= left && bottom >= top;
    return l;
}
