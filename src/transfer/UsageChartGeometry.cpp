#include "transfer/UsageChartGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kDotsPerByte = 8;
constexpr int kTitleTop = 3;
constexpr int kLegendLine = 18;
constexpr int kLegendHead = 26;

// Where the diamond inscribed in a pie's box (left corner (x0, cy), radius s)
// is reached after `degrees` of a turn, running down from the left corner.
ChartPoint DiamondPoint(int x0, int cy, int s, int degrees)
{
    const int n = degrees * s / 90;
    switch (degrees / 90) {
    case 0: return {x0 + n, cy + n};
    case 1: return {x0 + n, cy + 2 * s - n};
    case 2: return {x0 + 4 * s - n, cy + 2 * s - n};
    case 3: return {x0 + 4 * s - n, cy + n - 4 * s};
    default: return {x0, cy - 1};
    }
}

double DegreesOf(const ChartPoint& point, double cx, double cy)
{
    // The y axis points down on the screen; angles count counter-clockwise.
    return std::atan2(cy - point.y, point.x - cx) * 180.0 / std::numbers::pi;
}

} // namespace

ChartFrameLayout LayOutChartFrame(const ChartEdges& frame, int titleBytes)
{
    ChartFrameLayout layout;
    const int x = frame.left + frame.Width() / 2 - kDotsPerByte * titleBytes / 2;
    layout.title = {x <= frame.left ? frame.left : x, frame.top + kTitleTop};
    layout.plot = frame;
    layout.plot.top = std::min(frame.top + kChartTitleBand, frame.bottom);
    return layout;
}

LegendLayout LayOutLegend(const ChartEdges& plot, int headingBytes, const std::vector<int>& nameBytes)
{
    const int width = plot.Width();
    const int series = static_cast<int>(nameBytes.size());
    LegendLayout legend;
    legend.box = {plot.left, plot.top, plot.left + width, plot.top + kLegendLine * series + kLegendHead};
    if (width > kDotsPerByte * headingBytes)
        legend.heading = ChartPoint{plot.left + (width - kDotsPerByte * headingBytes) / 2, plot.top + kTitleTop};
    for (int i = 0; i < series; ++i) {
        const int y = plot.top + 24 + kLegendLine * i;
        const int bytes = nameBytes[static_cast<std::size_t>(i)];
        LegendRow row;
        if (width > kDotsPerByte * bytes + 5)
            row.name = ChartPoint{plot.left + 5, y};
        const ChartEdges swatch{plot.left + 6 * bytes + 30, y + 1, plot.left + width - 5, y + 13};
        if (swatch.right >= swatch.left)
            row.swatch = swatch;
        legend.rows.push_back(row);
    }
    return legend;
}

std::vector<PieLayout> LayOutPies(const ChartEdges& plot, bool legendShown, const std::vector<ChartValueSet>& sets,
    const std::vector<int>& nameBytes)
{
    const int h = plot.Height();
    const int w = plot.Width();
    const int k = static_cast<int>(sets.size());
    if (k == 0)
        return {};
    const int legendPart = 3 * h / 7;
    int diameter = std::min(w, h);
    if (legendShown)
        diameter = w > h - legendPart ? h - legendPart : w - w / 7;
    diameter /= k;
    const int s = static_cast<int>(diameter * 0.5);
    const int cy = plot.top + (h - legendPart) / 2 + legendPart - 5;

    std::vector<PieLayout> pies;
    for (int j = 0; j < k; ++j) {
        const ChartValueSet& values = sets[static_cast<std::size_t>(j)];
        const int d = j * s;
        const int c = 10 + 10 * j;
        const int x0 = k == 1 ? plot.left + w / 2 - s : plot.left + 2 * (d + c) + 15;
        const int bytes = j < static_cast<int>(nameBytes.size()) ? nameBytes[static_cast<std::size_t>(j)] : 0;
        PieLayout pie;
        pie.box = {x0, cy - s, x0 + 2 * s, cy + s};
        pie.name = {x0 + s - kDotsPerByte * bytes / 2, cy + s + 15};

        double sum = 0;
        for (int v : values)
            sum += v;
        ChartPoint start{x0, cy};
        long long cumulative = 0;
        for (int i = 0; i < kChartValueCount && sum > 0; ++i) {
            const int v = values[static_cast<std::size_t>(i)];
            if (v <= 0)
                continue;
            cumulative += v;
            const int degrees = std::clamp(static_cast<int>(cumulative * 100 / sum * 360 * 0.01), 0, 360);
            if (i == 0)
                start.y = cy - 1;
            const ChartPoint end = DiamondPoint(x0, cy, s, degrees);
            pie.slices.push_back({i, start, end});
            start = end;
        }
        pies.push_back(std::move(pie));
    }
    return pies;
}

PieAngles SliceAngles(const ChartEdges& box, const PieSlice& slice)
{
    const double cx = (box.left + box.right) / 2.0;
    const double cy = (box.top + box.bottom) / 2.0;
    const double start = std::fmod(DegreesOf(slice.start, cx, cy) + 360.0, 360.0);
    double span = std::fmod(DegreesOf(slice.end, cx, cy) - start + 720.0, 360.0);
    if (span == 0.0)
        span = 360.0;
    return {static_cast<int>(std::lround(start * 16)), std::max(1, static_cast<int>(std::lround(span * 16)))};
}
