#pragma once

#include <vector>

// The value arithmetic of bar and curve graphs: how a polled value is clamped
// to the scale, the preview samples a curve shows in the editor, and where a
// value lands between the zero and the full scale.
struct GraphScale {
    bool hexBcd = false;
    bool isSigned = false;
    int registerCount = 1;  // of the bar or of the curve, whichever the graph is
    int wordSize = 16;
    int zero = 0;
    int fullScale = 0xFFFF;

    // Signed decimal graphs of one 16-bit register compute in signed 16 bits.
    bool IsSigned16() const;
};

// The value a graph keeps for a polled value of the given width (16 or 32):
// clamped to zero and full scale unless the graph shows HEX/BCD; any other
// width keeps the current value.
int ClampGraphValue(const GraphScale& scale, int value, int width, int currentValue);

// The preview samples of a curve with the given number of data points:
// zero, two thirds, then alternately one third and one half of the range.
std::vector<int> CurvePreviewSamples(const GraphScale& scale, int dataPoints);

// The level a bar shows in the editor: a third of the way from the zero to
// the full scale, the difference taken as an unsigned 32-bit number.
int BarPreviewValue(const GraphScale& scale);

// Fraction of the scale a curve sample reaches: 0 when the scale is empty.
double CurveSampleRatio(const GraphScale& scale, int sample);

// Fill fraction of a bar in the given direction (1 up, 2 down, 3 left, 4 right)
// while simulating; always within 0 to 1.
double BarFillFraction(const GraphScale& scale, int direction, int value);
