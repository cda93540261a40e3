// Where the usage chart's title, legend and pies lie, and the pie slices as a
// painter's angles.

#include "transfer/UsageChartGeometry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

ChartValueSet Values(std::initializer_list<int> values)
{
    ChartValueSet set{};
    std::copy(values.begin(), values.end(), set.begin());
    return set;
}

// A legend shown, one data set: the view's rectangle height of 178.
const ChartEdges kPlot{0, 0, 200, 178};

PieLayout UsagePie(int used, int free)
{
    const auto pies = LayOutPies(kPlot, true, {Values({used, free})}, {0});
    EXPECT_EQ(pies.size(), 1u);
    return pies.front();
}

TEST(UsageChartGeometry, TheTitleStandsCentredInsideTheFrame)
{
    const ChartEdges frame{560, 37, 760, 215};
    ChartFrameLayout layout = LayOutChartFrame(frame, 14); // "资源占用情况图"
    EXPECT_EQ(layout.title, (ChartPoint{560 + 100 - 56, 40}));
    EXPECT_EQ(layout.plot, (ChartEdges{560, 57, 760, 215}));
    // Wider than the frame: from its left edge.
    EXPECT_EQ(LayOutChartFrame(frame, 26).title, (ChartPoint{560, 40}));
    EXPECT_EQ(LayOutChartFrame(frame, 25).title, (ChartPoint{560, 40}));
    EXPECT_EQ(LayOutChartFrame(frame, 24).title, (ChartPoint{564, 40}));
}

TEST(UsageChartGeometry, LegendRowsAndWhatFits)
{
    // Two names of 5 bytes ("已用 ", "未用 "), heading of 4 ("图例").
    LegendLayout legend = LayOutLegend(ChartEdges{10, 20, 210, 198}, 4, {5, 5});
    EXPECT_EQ(legend.box, (ChartEdges{10, 20, 210, 20 + 62}));
    EXPECT_EQ(legend.heading, (ChartPoint{10 + 84, 23}));
    ASSERT_EQ(legend.rows.size(), 2u);
    EXPECT_EQ(legend.rows[0].name, (ChartPoint{15, 44}));
    EXPECT_EQ(legend.rows[1].name, (ChartPoint{15, 62}));
    EXPECT_EQ(legend.rows[1].swatch, (ChartEdges{10 + 60, 63, 205, 75}));

    struct Row {
        int width;
        bool heading;
        bool name;
        bool swatch;
    };
    const Row rows[] = {
        {32, false, false, false}, {33, true, false, false}, {45, true, false, false},
        {46, true, true, false}, {64, true, true, false}, {65, true, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.width);
        legend = LayOutLegend(ChartEdges{0, 0, row.width, 178}, 4, {5, 5});
        EXPECT_EQ(legend.heading.has_value(), row.heading);
        EXPECT_EQ(legend.rows[0].name.has_value(), row.name);
        EXPECT_EQ(legend.rows[0].swatch.has_value(), row.swatch);
    }
}

TEST(UsageChartGeometry, PieSizeAndPlace)
{
    // 3h/7 = 76 of 178 for the legend: G = 102, s = 51, cy = 122.
    const PieLayout pie = UsagePie(1, 36864);
    EXPECT_EQ(pie.box, (ChartEdges{49, 71, 151, 173}));
    EXPECT_EQ(pie.name, (ChartPoint{100, 188}));

    // Narrower than the pie would be: the width less a seventh.
    EXPECT_EQ(LayOutPies({0, 0, 100, 178}, true, {Values({1})}, {0}).front().box, (ChartEdges{7, 79, 93, 165}));
    // Without the legend the smaller side; two data sets share the diameter.
    EXPECT_EQ(LayOutPies(kPlot, false, {Values({1})}, {0}).front().box, (ChartEdges{11, 33, 189, 211}));
    const auto two = LayOutPies(kPlot, true, {Values({1}), Values({1})}, {2, 2});
    EXPECT_EQ(two[0].box, (ChartEdges{35, 97, 85, 147}));
    EXPECT_EQ(two[1].box, (ChartEdges{2 * (25 + 20) + 15, 97, 2 * (25 + 20) + 15 + 50, 147}));
    EXPECT_EQ(two[1].name, (ChartPoint{105 + 25 - 8, 122 + 25 + 15}));
}

TEST(UsageChartGeometry, SlicesRunAlongTheDiamondFromTheLeftCorner)
{
    // Before any compile: used 1 is a hairline from one dot above the left
    // corner to the corner; the free bytes close the circle there.
    PieLayout pie = UsagePie(1, 36864);
    ASSERT_EQ(pie.slices.size(), 2u);
    EXPECT_EQ(pie.slices[0].start, (ChartPoint{49, 121}));
    EXPECT_EQ(pie.slices[0].end, (ChartPoint{49, 122}));
    EXPECT_EQ(pie.slices[1].start, (ChartPoint{49, 122}));
    EXPECT_EQ(pie.slices[1].end, (ChartPoint{49, 121}));
    EXPECT_EQ(SliceAngles(pie.box, pie.slices[0]), (PieAngles{2862, 18}));
    EXPECT_EQ(SliceAngles(pie.box, pie.slices[1]), (PieAngles{2880, 5742}));

    // Half and half: two half discs, the used one below the diameter.
    pie = UsagePie(18432, 18432);
    EXPECT_EQ(pie.slices[0].end, (ChartPoint{151, 122}));
    EXPECT_EQ(SliceAngles(pie.box, pie.slices[0]), (PieAngles{2862, 2898}));
    EXPECT_EQ(SliceAngles(pie.box, pie.slices[1]), (PieAngles{0, 2862}));

    // A quarter each: the bottom, right and top corners.
    pie = LayOutPies(kPlot, true, {Values({1, 1, 1, 1})}, {0}).front();
    ASSERT_EQ(pie.slices.size(), 4u);
    EXPECT_EQ(pie.slices[0].end, (ChartPoint{100, 173}));
    EXPECT_EQ(pie.slices[1].end, (ChartPoint{151, 122}));
    EXPECT_EQ(pie.slices[2].end, (ChartPoint{100, 71}));
    EXPECT_EQ(pie.slices[3].end, (ChartPoint{49, 121}));
    EXPECT_EQ(SliceAngles(pie.box, pie.slices[1]), (PieAngles{270 * 16, 90 * 16}));
}

TEST(UsageChartGeometry, ValuesOfZeroOrLessGetNoSlice)
{
    PieLayout pie = LayOutPies(kPlot, true, {Values({0, 5})}, {0}).front();
    ASSERT_EQ(pie.slices.size(), 1u);
    EXPECT_EQ(pie.slices[0].series, 1);
    EXPECT_EQ(pie.slices[0].start, (ChartPoint{49, 122})); // not raised: value 0 drew nothing
    pie = LayOutPies(kPlot, true, {Values({3, 0, -2, 3})}, {0}).front();
    std::vector<int> series;
    for (const PieSlice& slice : pie.slices)
        series.push_back(slice.series);
    EXPECT_THAT(series, ElementsAre(0, 3));
    EXPECT_TRUE(LayOutPies(kPlot, true, {Values({})}, {0}).front().slices.empty());

    // Radials that coincide make the whole disc.
    EXPECT_EQ(SliceAngles(pie.box, PieSlice{0, {49, 121}, {49, 121}}).span, 5760);
}

} // namespace
