#include "pages/GraphBoxRules.h"

#include <gtest/gtest.h>

#include <climits>

TEST(GraphBoxRules, ExtentsFromSixteenDotsToTheDisplayEdge)
{
    EXPECT_TRUE(GraphExtentFits(176, 16, 192));
    EXPECT_FALSE(GraphExtentFits(0, 15, 192));
    EXPECT_FALSE(GraphExtentFits(177, 16, 192));
    EXPECT_TRUE(GraphExtentFits(0, 64, 64));
    EXPECT_FALSE(GraphExtentFits(1, 64, 64));
}

TEST(GraphBoxRules, TurningBetweenVerticalAndHorizontalExchangesTheSides)
{
    struct Case {
        DotBox box;
        int from;
        int to;
        DotBox turned;
    };
    const Case cases[] = {
        {{180, 0, 12, 60}, 1, 3, {132, 0, 60, 12}},
        {{132, 0, 60, 12}, 3, 1, {132, 0, 12, 60}},
        // Up and down, or left and right, keep the box.
        {{180, 0, 12, 60}, 1, 2, {180, 0, 12, 60}},
        {{132, 0, 60, 12}, 3, 4, {132, 0, 60, 12}},
        // Near the bottom the box moves up; a long side is cut to the display.
        {{10, 52, 40, 12}, 4, 2, {10, 24, 12, 40}},
        {{0, 40, 100, 16}, 3, 1, {0, 0, 16, 64}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TurnBar(c.box, c.from, c.to), c.turned) << c.from << " to " << c.to;
}

TEST(GraphBoxRules, DataPointsFollowTheCurvesWidth)
{
    EXPECT_EQ(DataPointsForWidth(98, 50), 48);
    EXPECT_EQ(DataPointsForWidth(4, 50), 4);

    // At x 100 the curve reaches the edge with 90 points.
    EXPECT_EQ(CurveWidthForDataPoints({100, 0, 56, 48}, 90), 92);
    EXPECT_EQ(CurveWidthForDataPoints({100, 0, 56, 48}, 91), std::nullopt);
    EXPECT_EQ(CurveWidthForDataPoints({0, 0, 56, 48}, 190), 192);
    EXPECT_EQ(CurveWidthForDataPoints({0, 0, 20, 48}, 30), 32);
    EXPECT_EQ(CurveWidthForDataPoints({0, 0, 56, 48}, 4), 56);
    EXPECT_EQ(CurveWidthForDataPoints({0, 0, 56, 48}, 1), std::nullopt);
    // Counts far past the display are refused, not summed into a wrap.
    EXPECT_EQ(CurveWidthForDataPoints({0, 0, 56, 48}, INT_MAX), std::nullopt);
    EXPECT_EQ(CurveWidthForDataPoints({0, 0, 56, 48}, INT_MAX - 1), std::nullopt);
    EXPECT_EQ(CurveWidthForDataPoints({0, 0, 56, 48}, INT_MIN), std::nullopt);
}

TEST(GraphBoxRules, SampleIntervalsOfOneSecondTo65535)
{
    EXPECT_TRUE(SampleIntervalAccepted(1));
    EXPECT_TRUE(SampleIntervalAccepted(65535));
    EXPECT_FALSE(SampleIntervalAccepted(0));
    EXPECT_FALSE(SampleIntervalAccepted(65536));
    EXPECT_FALSE(SampleIntervalAccepted(-1));
}
