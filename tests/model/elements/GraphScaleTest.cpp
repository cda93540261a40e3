#include "model/elements/CurveSampleRing.h"
#include "model/elements/GraphScale.h"

#include <gtest/gtest.h>

namespace {

GraphScale Scale(int zero, int full, bool isSigned = false, bool hexBcd = false)
{
    GraphScale s;
    s.zero = zero;
    s.fullScale = full;
    s.isSigned = isSigned;
    s.hexBcd = hexBcd;
    return s;
}

}  // namespace

TEST(GraphScale, ClampsPolledValues)
{
    const struct {
        const char* name;
        GraphScale scale;
        int value;
        int width;
        int expected;
    } cases[] = {
        {"16-bit above full scale", Scale(0, 1000), 5000, 16, 1000},
        {"16-bit takes the low word", Scale(0, 1000), 464 + 65536, 16, 464},
        {"hex keeps everything", Scale(0, 1000, false, true), 5000, 16, 5000},
        {"hex keeps high bits", Scale(0, 1000, false, true), 464 + 65536, 16, 464 + 65536},
        {"16-bit signed below zero", Scale(-100, 100, true), 65536 - 300, 16, -100},
        {"16-bit signed inside", Scale(-100, 100, true), 65536 - 30, 16, -30},
        {"32-bit unsigned: -1 is above", Scale(0, 70000), -1, 32, 70000},
        {"32-bit signed: -1 is below", Scale(0, 70000, true), -1, 32, 0},
        {"other width keeps current", Scale(0, 1000), 5, 8, 77},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClampGraphValue(c.scale, c.value, c.width, 77), c.expected) << c.name;
}

TEST(GraphScale, PreviewSamplesFollowTheRange)
{
    EXPECT_EQ(CurvePreviewSamples(Scale(0, 65535), 4), (std::vector<int>{0, 43690, 21845, 32767, 21845}));
    EXPECT_EQ(CurvePreviewSamples(Scale(-300, 300, true), 3), (std::vector<int>{-300, 100, -100, 0}));
    EXPECT_EQ(CurvePreviewSamples(Scale(100, 100), 0), (std::vector<int>{100, 100}));
}

TEST(GraphScale, BarFillStaysInsideTheBox)
{
    EXPECT_DOUBLE_EQ(BarFillFraction(Scale(0, 1000), 2, 500), 0.5);
    EXPECT_DOUBLE_EQ(BarFillFraction(Scale(0, 1000), 2, 0), 0.0);
    EXPECT_DOUBLE_EQ(BarFillFraction(Scale(5, 5), 3, 0), 1.0);
    // Up, unsigned: a value above full scale shows a third.
    EXPECT_DOUBLE_EQ(BarFillFraction(Scale(0, 1000), 1, 5000), 0.3333333);
    // Other directions never go past the box.
    EXPECT_DOUBLE_EQ(BarFillFraction(Scale(0, 1000), 4, 5000), 1.0);
    EXPECT_DOUBLE_EQ(BarFillFraction(Scale(0, 1000, false, true), 3, 5000), 1.0);
    // Signed 16-bit: values at or below the zero are empty.
    EXPECT_DOUBLE_EQ(BarFillFraction(Scale(-100, 100, true), 1, 65536 - 100), 0.0);
    EXPECT_DOUBLE_EQ(BarFillFraction(Scale(-100, 100, true), 1, 0), 0.5);
}

TEST(GraphScale, CurveRatioOfAnEmptyScaleIsZero)
{
    EXPECT_DOUBLE_EQ(CurveSampleRatio(Scale(7, 7), 100), 0.0);
    EXPECT_DOUBLE_EQ(CurveSampleRatio(Scale(0, 200), 50), 0.25);
    EXPECT_DOUBLE_EQ(CurveSampleRatio(Scale(-100, 100, true), 65536 - 50), 0.25);
}

TEST(CurveSampleRing, KeepsTheNewestDataPointsPlusOne)
{
    CurveSampleRing ring;
    for (int v = 1; v <= 6; ++v)
        ring.Push(v, 4 + 1);
    EXPECT_EQ(ring.Values(), (std::vector<int>{2, 3, 4, 5, 6}));
    ring.Push(7, 0 + 1);
    EXPECT_EQ(ring.Values(), (std::vector<int>{7}));
    ring.Push(8, -3);
    EXPECT_EQ(ring.Values(), (std::vector<int>{8}));
    ring.Clear();
    EXPECT_TRUE(ring.Values().empty());
}
