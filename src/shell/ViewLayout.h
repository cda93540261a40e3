#pragma once

#include <QRect>

// Where the view's child windows stand for a client area of W x H pixels.
// The canvas band (canvas with margins cx left and right, cy above and below)
// takes the top-left corner, the property pages lie below it, the screen-data
// window takes the right fifth. Every division is an integer division.
struct ViewLayout {
    int cx = 0;            // (W / 10) / 4
    int cy = 0;            // (H / 8) / 2
    int bandWidth = 0;     // A = 2 cx + 486
    int bandHeight = 0;    // B = 2 cy + 178
    bool wide = false;     // 4 W / 5 >= A
    QRect canvas;
    QRect pages;           // the property pages' area
    QRect keypad;
    QRect dataWindow;      // the screen-data window
    int backgroundRight = 0; // R: the right edge of the painted background band
    QRect chart;           // the usage chart, at most 200 wide, centred right of the canvas
    bool chartVisible = false;
};

constexpr int CanvasWidth = 486;
constexpr int CanvasHeight = 178;

ViewLayout ComputeViewLayout(int width, int height, bool simulating);
