#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kBackground = 0xFF0000FF; // a colour no element draws

// Draws `element` on a w x h image filled with kBackground.
QImage Drawn(const CScreenElement& element, int w, int h, bool simulating)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter painter(&image);
    element.Draw(painter, QRect(0, 0, w, h), simulating);
    painter.end();
    return image;
}

bool IsBackground(const QImage& image, int x, int y)
{
    return image.pixel(x, y) == kBackground;
}

// The element covers exactly the pixel box [left, right) x [top, bottom):
// the corner pixels inside are drawn, the pixels just outside are not.
void ExpectBox(const QImage& image, int left, int top, int right, int bottom)
{
    EXPECT_FALSE(IsBackground(image, left, top));
    EXPECT_FALSE(IsBackground(image, right - 1, bottom - 1));
    EXPECT_FALSE(IsBackground(image, right - 1, top));
    EXPECT_FALSE(IsBackground(image, left, bottom - 1));
    if (left > 0) {
        EXPECT_TRUE(IsBackground(image, left - 1, top));
    }
    if (top > 0) {
        EXPECT_TRUE(IsBackground(image, left, top - 1));
    }
    if (right < image.width()) {
        EXPECT_TRUE(IsBackground(image, right, bottom - 1));
    }
    if (bottom < image.height()) {
        EXPECT_TRUE(IsBackground(image, right - 1, bottom));
    }
}

const QRgb kDisplay = 0xFFAAD447;

} // namespace

TEST(ElementDraw, LampBoxFollowsTheScale)
{
    CLampElement lamp;
    lamp.SetPosition(10, 5);
    lamp.SetSize(20, 16);
    // 384 x 128 doubles every edge.
    ExpectBox(Drawn(lamp, 384, 128, false), 20, 10, 60, 42);
    // 486 x 178: sx 2.53125, sy 2.78125, truncated edges.
    lamp.SetPosition(1, 1);
    lamp.SetSize(1, 1);
    ExpectBox(Drawn(lamp, 486, 178, false), 2, 2, 4, 4);
}

TEST(ElementDraw, LampPicturesInTheEditorAndWhileSimulating)
{
    CLampElement lamp;
    lamp.SetPosition(0, 0);
    lamp.SetSize(16, 16);
    // Open (unlit) round lamp in the editor: its centre is white, its corner white.
    QImage editor = Drawn(lamp, 192, 64, false);
    EXPECT_EQ(editor.pixel(8, 8), 0xFFFFFFFFu);
    EXPECT_EQ(editor.pixel(0, 0), 0xFFFFFFFFu);
    lamp.SetLogic(0); // negative lamps show filled
    EXPECT_EQ(Drawn(lamp, 192, 64, false).pixel(8, 8), 0xFF000000u);

    // While simulating the white parts show the display colour: state 0 lit.
    lamp.SetLogic(1);
    lamp.SetState(0);
    const QImage lit = Drawn(lamp, 192, 64, true);
    EXPECT_EQ(lit.pixel(8, 8), 0xFF000000u);
    EXPECT_EQ(lit.pixel(0, 0), kDisplay);
    ExpectBox(lit, 0, 0, 16, 16);
    lamp.SetState(1);
    EXPECT_EQ(Drawn(lamp, 192, 64, true).pixel(8, 8), kDisplay);
}

TEST(ElementDraw, FunctionKeyWithHandIconIsSplitInHalves)
{
    CFuncKeyElement key;
    key.SetSize(16, 16);
    key.SetHandIcon(1);
    const QImage image = Drawn(key, 384, 128, false);
    ExpectBox(image, 0, 0, 32, 32);
    // The hand's light ground ends at 16, where the key's outline starts.
    EXPECT_EQ(image.pixel(15, 0), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(16, 0), 0xFF000000u);
    EXPECT_EQ(image.pixel(31, 31), 0xFF000000u);

    // While simulating an invisible key draws only its hand.
    key.SetInvisible(1);
    const QImage simulated = Drawn(key, 384, 128, true);
    EXPECT_EQ(simulated.pixel(0, 0), kDisplay);
    EXPECT_TRUE(IsBackground(simulated, 16, 0));
}

TEST(ElementDraw, FunctionKeyFaceFillsItsBox)
{
    CFuncKeyElement key;
    key.SetPosition(100, 40);
    key.SetSize(16, 16);
    ExpectBox(Drawn(key, 486, 178, false), 253, 111, 293, 155);
    key.SetInverse(1);
    const QImage inverse = Drawn(key, 192, 64, false);
    EXPECT_EQ(inverse.pixel(108, 42), 0xFF000000u); // dark ground inside the outline
}

TEST(ElementDraw, PictureStretchesItsBitmapIntoTheBox)
{
    CPictureElement picture;
    picture.SetPixelStore({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0});
    picture.SetSize(2, 1);
    picture.SetPosition(3, 4);
    picture.SetBoxSize(10, 5);
    const QImage editor = Drawn(picture, 384, 128, false);
    ExpectBox(editor, 6, 8, 26, 18);
    EXPECT_EQ(editor.pixel(6, 8), 0xFF000000u);
    EXPECT_EQ(editor.pixel(25, 17), 0xFFFFFFFFu);
    const QImage simulated = Drawn(picture, 384, 128, true);
    EXPECT_EQ(simulated.pixel(6, 8), 0xFF000000u);
    EXPECT_EQ(simulated.pixel(25, 17), kDisplay);

    CPictureElement empty; // no bitmap: nothing drawn
    empty.SetBoxSize(10, 10);
    EXPECT_TRUE(IsBackground(Drawn(empty, 192, 64, false), 0, 0));
}
