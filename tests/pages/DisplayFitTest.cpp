#include "pages/DisplayFit.h"
#include "pages/LampLook.h"
#include "pages/StaticTextFit.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(DisplayFit, PositionsFromZeroToTheEdgeFit)
{
    struct Case {
        int position;
        int extent;
        int display;
        bool fits;
    };
    const Case cases[] = {
        {192 - 16, 16, 192, true},  {193 - 16, 16, 192, false}, {0, 16, 192, true},
        {-1, 16, 192, false},       {64 - 32, 32, 64, true},    {65 - 32, 32, 64, false},
        {-5, 0, 64, false},         {0, 192, 192, true},
        // Typed numbers far off the display do not wrap back onto it.
        {INT_MAX, 16, 192, false},  {16, INT_MAX, 192, false},  {INT_MAX, INT_MAX, 192, false},
        {INT_MIN, 16, 192, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitsOnAxis(c.position, c.extent, c.display), c.fits) << c.position << " + " << c.extent;
}

TEST(DisplayFit, PullInsideMovesBackToTheEdgeButNotBeforeZero)
{
    EXPECT_EQ(PullInside(170, 32, 192), 160);
    EXPECT_EQ(PullInside(160, 32, 192), 160);
    EXPECT_EQ(PullInside(10, 192, 192), 0);
    EXPECT_EQ(PullInside(10, 200, 192), 0);
    EXPECT_EQ(PullInside(INT_MAX, 16, 192), 176);
    EXPECT_EQ(PullInside(10, INT_MAX, 192), 0);
}

TEST(DisplayFit, ResizeRefusesSizesOffTheDisplayAndPullsTheBoxIn)
{
    const DotBox at{10, 5, 32, 32};
    EXPECT_EQ(ResizeOnDisplay(at, {192, 32}), (DotBox{0, 5, 192, 32}));
    EXPECT_EQ(ResizeOnDisplay(at, {32, 64}), (DotBox{10, 0, 32, 64}));
    EXPECT_EQ(ResizeOnDisplay(at, {64, 32}), (DotBox{10, 5, 64, 32}));
    EXPECT_FALSE(ResizeOnDisplay(at, {193, 32}));
    EXPECT_FALSE(ResizeOnDisplay(at, {0, 32}));
    EXPECT_FALSE(ResizeOnDisplay(at, {32, 65}));
    EXPECT_FALSE(ResizeOnDisplay(at, {32, 0}));
}

TEST(StaticTextFit, TextsUpToTheLimitTakeTheirWidth)
{
    const DotBox at{100, 8, 64, 16};
    const auto full = LayOutStaticText(std::string(24, 'a'), at, false);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->box, (DotBox{0, 8, 192, 16}));
    EXPECT_FALSE(LayOutStaticText(std::string(25, 'a'), at, false));

    const auto moved = LayOutStaticText("abcdefgh", {150, 8, 0, 16}, false);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->box, (DotBox{128, 8, 64, 16}));
    EXPECT_EQ(LayOutStaticText("", at, false)->box.w, 0);

    // Double size: 12 bytes of 16 dots.
    EXPECT_EQ(LayOutStaticText(std::string(12, 'a'), {0, 0, 0, 32}, true)->box.w, 192);
    EXPECT_FALSE(LayOutStaticText(std::string(13, 'a'), {0, 0, 0, 32}, true));
}

TEST(StaticTextFit, DoubleSizeCutsTheTextWithoutSplittingACharacter)
{
    const StaticTextLayout ascii = DoubleStaticText("abcdefghijklmn", {0, 0, 112, 16});
    EXPECT_EQ(ascii.text, "abcdefghijkl");
    EXPECT_EQ(ascii.box, (DotBox{0, 0, 192, 32}));

    // Bytes 11 and 12 form one two-byte character: 11 bytes stay.
    const std::string gbk = std::string(11, 'a') + "\xD6\xD0" + "b";
    const StaticTextLayout cut = DoubleStaticText(gbk, {0, 0, 112, 16});
    EXPECT_EQ(cut.text, std::string(11, 'a'));
    EXPECT_EQ(cut.box.w, 176);

    // Pulled back inside on both axes.
    const StaticTextLayout moved = DoubleStaticText(std::string(12, 'a'), {100, 40, 96, 16});
    EXPECT_EQ(moved.box, (DotBox{0, 32, 192, 32}));
    // A short text keeps its place.
    EXPECT_EQ(DoubleStaticText("ab", {20, 10, 16, 16}).box, (DotBox{20, 10, 32, 32}));
}

TEST(LampLook, ListIndexesShowTheCodesInReverse)
{
    EXPECT_EQ(LampCodeOfListIndex(0), 1);
    EXPECT_EQ(LampCodeOfListIndex(1), 0);
    EXPECT_EQ(LampListIndexOfCode(1), 0);
    EXPECT_EQ(LampListIndexOfCode(0), 1);
}

TEST(LampLook, DoubleSizeMovesTheLampInsideAndOffKeepsItsPlace)
{
    EXPECT_EQ(LampBoxForDoubleSize({170, 10, 16, 16}, true), (DotBox{160, 10, 32, 32}));
    EXPECT_EQ(LampBoxForDoubleSize({10, 40, 16, 16}, true), (DotBox{10, 32, 32, 32}));
    EXPECT_EQ(LampBoxForDoubleSize({160, 32, 32, 32}, false), (DotBox{160, 32, 16, 16}));
}
