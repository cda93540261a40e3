#pragma once

#include <array>
#include <optional>
#include <vector>

// Where the parts of the resource-usage chart lie in the rectangle it is
// drawn into. Rectangles are given by their edges (right and bottom are the
// first dots outside), divisions are integer divisions, and a text's width is
// estimated at 8 dots a byte of its GBK text; no text is measured.

struct ChartEdges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const ChartEdges&) const = default;
};

struct ChartPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ChartPoint&) const = default;
};

// Every data set holds ten values; a value above 0 is a slice of its pie.
inline constexpr int kChartValueCount = 10;
using ChartValueSet = std::array<int, kChartValueCount>;

// The title stands centred in a band at the top of the frame (at its left
// edge when it is wider than the frame); the legend and the pies share the
// plot area below the band.
struct ChartFrameLayout {
    ChartPoint title; // the text's top-left corner
    ChartEdges plot;
};
inline constexpr int kChartTitleBand = 20;
ChartFrameLayout LayOutChartFrame(const ChartEdges& frame, int titleBytes);

// The legend: a box across the plot's width from its top, 18 dots a series
// and 26 more; the heading centred in its first line when the box is wider
// than the heading; per series a row with its name at the left when the name
// fits and a swatch of its colour from 6 dots a byte of the name + 30 to
// 5 dots before the box's right edge when there is room for it.
struct LegendRow {
    std::optional<ChartPoint> name;
    std::optional<ChartEdges> swatch;
};
struct LegendLayout {
    ChartEdges box;
    std::optional<ChartPoint> heading;
    std::vector<LegendRow> rows; // one per series
};
LegendLayout LayOutLegend(const ChartEdges& plot, int headingBytes, const std::vector<int>& nameBytes);

// One slice of a pie: the sector of the pie's box from the radial through
// `start` counter-clockwise to the radial through `end`.
struct PieSlice {
    int series = 0; // the value's index, which picks its colour
    ChartPoint start;
    ChartPoint end;
};

// One data set's pie. The diameter comes from the plot's height less 3/7 of
// it when the legend is shown (the legend takes the top), divided among the
// data sets, which stand side by side. The slices' end points run along the
// diamond inscribed in the box: from its left corner down, to the right,
// up and back, linearly in the value's share of the sum, so a slice's angle
// is exact only at multiples of 45 degrees. The first slice starts one dot
// above the left corner, so that a full turn ends there and a share too small
// for a degree still shows as a hairline.
struct PieLayout {
    ChartEdges box;
    ChartPoint name; // the data set's name under the pie, by its byte count
    std::vector<PieSlice> slices;
};
std::vector<PieLayout> LayOutPies(const ChartEdges& plot, bool legendShown, const std::vector<ChartValueSet>& sets,
    const std::vector<int>& nameBytes);

// The slice as a painter draws sectors: its start angle and its span
// counter-clockwise, both in 1/16 degree from the 3 o'clock direction. A
// slice whose radials coincide is the whole disc.
struct PieAngles {
    int start = 0;
    int span = 0;
    bool operator==(const PieAngles&) const = default;
};
PieAngles SliceAngles(const ChartEdges& box, const PieSlice& slice);
