#include "shell/ViewLayout.h"

#include <gtest/gtest.h>

TEST(ViewLayout, WideViewPutsPagesBelowTheCanvasAndTheDataWindowInTheRightFifth)
{
    const ViewLayout l = ComputeViewLayout(1000, 600, false);
    EXPECT_EQ(l.cx, 25);
    EXPECT_EQ(l.cy, 37);
    EXPECT_EQ(l.bandWidth, 536);
    EXPECT_EQ(l.bandHeight, 252);
    EXPECT_TRUE(l.wide);
    EXPECT_EQ(l.canvas, QRect(25, 37, 486, 178));
    EXPECT_EQ(l.pages, QRect(0, 252, 800, 348));
    EXPECT_EQ(l.keypad, QRect(0, 0, 800, 600));
    EXPECT_EQ(l.dataWindow, QRect(800, 0, 200, 600));
    EXPECT_EQ(l.backgroundRight, 800);
    // The chart is centred in the 800 - 521 = 279 pixels right of the
    // canvas and limited to 200.
    EXPECT_EQ(l.chart, QRect(560, 37, 200, 178));
    EXPECT_TRUE(l.chartVisible);
}

TEST(ViewLayout, NarrowViewKeepsTheCanvasBandWidth)
{
    const ViewLayout l = ComputeViewLayout(600, 400, false);
    EXPECT_EQ(l.cx, 15);
    EXPECT_EQ(l.bandWidth, 516);
    EXPECT_FALSE(l.wide);
    EXPECT_EQ(l.pages.width(), 516);
    EXPECT_EQ(l.pages.left(), 0);
    EXPECT_EQ(l.dataWindow, QRect(516, 0, 120, 400));
    EXPECT_EQ(l.keypad, QRect(0, 0, 600, 400));
    EXPECT_EQ(l.backgroundRight, 516);
    // No room right of the canvas: the chart is not drawn.
    EXPECT_FALSE(l.chartVisible);
}

TEST(ViewLayout, SimulationPutsTheCanvasOverTheKeypadPicture)
{
    for (const QSize size : {QSize(1000, 600), QSize(600, 400), QSize(1600, 1000)})
        EXPECT_EQ(ComputeViewLayout(size.width(), size.height(), true).canvas, QRect(103, 155, 373, 130));
}

TEST(ViewLayout, BackgroundBandEdgeFollowsBothRoundingsOfTheRightFifth)
{
    // W = 648: 4W/5 = 518 = A, so the view is wide but the band ends at A,
    // one pixel before W - W/5 = 519.
    const ViewLayout equal = ComputeViewLayout(648, 500, false);
    EXPECT_EQ(equal.bandWidth, 518);
    EXPECT_TRUE(equal.wide);
    EXPECT_EQ(equal.backgroundRight, 518);
    // W = 671: 4W/5 = 536 > A = 518; the band ends at W - W/5 = 537.
    const ViewLayout wider = ComputeViewLayout(671, 500, false);
    EXPECT_EQ(wider.backgroundRight, 537);
    EXPECT_EQ(wider.dataWindow.left(), 536);
}
