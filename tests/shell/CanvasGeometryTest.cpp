#include "shell/CanvasGeometry.h"

#include <gtest/gtest.h>

// The canvas numbers below are those of a 486 x 178 client area
// (sx = 2.53125, sy = 2.78125).
constexpr int W = 486;
constexpr int H = 178;

TEST(CanvasGeometry, ScalesAreFractional)
{
    const CanvasScale s(W, H);
    EXPECT_FLOAT_EQ(s.sx, 2.53125f);
    EXPECT_DOUBLE_EQ(s.sy, 2.78125);
}

TEST(CanvasGeometry, ElementRectangles)
{
    struct Case {
        DotBox box;
        PixelRect expected;
    };
    const Case cases[] = {
        {{10, 20, 16, 16}, {25, 55, 65, 99}},
        {{0, 0, 192, 64}, {0, 0, 486, 178}},
        {{175, 47, 16, 16}, {442, 130, 482, 174}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ElementPixelRect(c.box, W, H), c.expected) << c.box.x << "," << c.box.y;
}

TEST(CanvasGeometry, HitTestIncludesLeftTopOnly)
{
    const PixelRect r{25, 55, 65, 99};
    EXPECT_TRUE(PixelRectContains(r, 25, 55));
    EXPECT_TRUE(PixelRectContains(r, 64, 98));
    EXPECT_FALSE(PixelRectContains(r, 65, 60));
    EXPECT_FALSE(PixelRectContains(r, 30, 99));
}

TEST(CanvasGeometry, GridDotAndDotFromPixel)
{
    EXPECT_EQ(GridDot(12, 4, 24, 8, W, H), (DotPoint{243, 89}));
    EXPECT_EQ(DotFromPixel(100, 100, W, H), (DotPoint{39, 35}));
    EXPECT_EQ(DotFromPixel(0, 0, W, H), (DotPoint{0, 0}));
}

TEST(CanvasGeometry, PlacementStaysInsideTheDisplay)
{
    struct Case {
        int px, py, w, h;
        DotPoint expected;
    };
    const Case cases[] = {
        {480, 170, 16, 16, {175, 47}}, // limited in pixels, one dot short of the edge
        {0, 0, 16, 16, {0, 0}},
        {100, 100, 40, 16, {39, 35}},
        {485, 177, 192, 64, {0, 0}},
        {300, 10, 56, 48, {118, 3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlacementPosition(c.px, c.py, c.w, c.h, W, H), c.expected) << c.px << "," << c.py;
}

TEST(CanvasGeometry, ToolPreviewTouchesTheEdgesAtTheCorner)
{
    const PixelRect r = ToolPreviewRect(485, 177, 16, 16, W, H);
    EXPECT_EQ(r.right, 486);
    EXPECT_EQ(r.bottom, 178);
    EXPECT_EQ(r.left, 445);
    EXPECT_EQ(r.top, 133);
    EXPECT_EQ(ToolPreviewRect(-5, -5, 16, 16, W, H), (PixelRect{0, 0, 40, 44}));
}

TEST(CanvasGeometry, GroupDragIsClampedByItsOuterElement)
{
    const std::vector<DotBox> group = {{100, 10, 16, 16}, {170, 10, 20, 16}};
    int dx = 10, dy = 0;
    ClampDragDelta(dx, dy, group);
    EXPECT_EQ(dx, 2);
    EXPECT_EQ(dy, 0);

    dx = -200;
    dy = -30;
    ClampDragDelta(dx, dy, group);
    EXPECT_EQ(dx, -100);
    EXPECT_EQ(dy, -10);

    dx = 0;
    dy = 100;
    ClampDragDelta(dx, dy, group);
    EXPECT_EQ(dy, 38);
}

TEST(CanvasGeometry, DragTargetFollowsTheCursorInDots)
{
    // 25.3125 pixels to the right is 10 dots on a 486-pixel-wide canvas.
    EXPECT_EQ(DragTarget(126, 100, 100.0f, 100.0f, 10.0f, 20.0f, W, H), (DotPoint{20, 20}));
    EXPECT_EQ(DragTarget(100, 100, 100.0f, 100.0f, 10.0f, 20.0f, W, H), (DotPoint{10, 20}));
    EXPECT_EQ(MovedPosition({180, 60, 16, 16}, 5, 5), (DotPoint{176, 48}));
}

TEST(CanvasGeometry, RubberBandSelectsByInnerCorners)
{
    const PixelRect band = NormalizedBand({50, 30, 10, 10});
    EXPECT_EQ(band, (PixelRect{10, 10, 50, 30}));
    EXPECT_EQ(RubberBandEffect(band, {12, 12, 16, 16}), BandEffect::Select);
    EXPECT_EQ(RubberBandEffect(band, {40, 20, 16, 16}), BandEffect::Deselect);
    EXPECT_EQ(RubberBandEffect({5, 5, 5, 5}, {40, 20, 16, 16}), BandEffect::Keep);
}

TEST(CanvasGeometry, Rgb565Luminance)
{
    EXPECT_EQ(Rgb565ToLuminance(0xFFFF), 244);
    EXPECT_EQ(Rgb565ToLuminance(0xF800), 72);
    EXPECT_EQ(Rgb565ToLuminance(0x07E0), 144);
    EXPECT_EQ(Rgb565ToLuminance(0x001F), 27);
    EXPECT_EQ(Rgb565ToLuminance(0), 0);
}

TEST(CanvasGeometry, PictureReductionByDepth)
{
    // 32 bits: blue, green, red, spare; green 171 is just bright enough.
    std::vector<std::uint8_t> px32 = {0, 171, 0, 7, 0, 170, 0, 9};
    ReducePixelsToBlackAndWhite(px32, 2, 1, 32);
    EXPECT_EQ(px32, (std::vector<std::uint8_t>{255, 255, 255, 7, 0, 0, 0, 9}));

    std::vector<std::uint8_t> px24 = {0, 171, 0, 0, 170, 0};
    ReducePixelsToBlackAndWhite(px24, 2, 1, 24);
    EXPECT_EQ(px24, (std::vector<std::uint8_t>{255, 255, 255, 0, 0, 0}));

    std::vector<std::uint8_t> px16 = {0xFF, 0xFF, 0x1F, 0x00};
    ReducePixelsToBlackAndWhite(px16, 2, 1, 16);
    EXPECT_EQ(px16, (std::vector<std::uint8_t>{255, 255, 0, 0}));

    std::vector<std::uint8_t> px8 = {99, 100, 5};
    ReducePixelsToBlackAndWhite(px8, 2, 1, 8);
    EXPECT_EQ(px8, (std::vector<std::uint8_t>{0, 255, 5})); // only width x height bytes

    std::vector<std::uint8_t> px1 = {0x5A};
    ReducePixelsToBlackAndWhite(px1, 8, 1, 1);
    EXPECT_EQ(px1, (std::vector<std::uint8_t>{0x5A}));

    // A buffer shorter than the picture is never read past.
    std::vector<std::uint8_t> shortBuf = {200, 200, 200};
    ReducePixelsToBlackAndWhite(shortBuf, 4, 4, 32);
    EXPECT_EQ(shortBuf, (std::vector<std::uint8_t>{200, 200, 200}));
}
