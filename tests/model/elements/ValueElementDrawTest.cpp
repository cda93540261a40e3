#include "model/elements/CGraphElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kUntouched = 0xFF00FF00; // no element draws pure green
constexpr QRgb kDark = 0xFF323232;

// The element drawn on a 192 x 64 image (one pixel per dot).
QImage Render(const CScreenElement& element, bool simulating)
{
    QImage image(192, 64, QImage::Format_RGB32);
    image.fill(kUntouched);
    QPainter painter(&image);
    element.Draw(painter, QRect(0, 0, 192, 64), simulating);
    painter.end();
    return image;
}

int CountPixels(const QImage& image, const QRect& area, QRgb colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

int CountDrawn(const QImage& image)
{
    return image.width() * image.height() - CountPixels(image, image.rect(), kUntouched);
}

}  // namespace

TEST(ValueElementDraw, NewBarIsAThirdFullInTheEditor)
{
    CGraphElement bar(0);
    bar.SetPosition(10, 4);
    bar.SetSize(30, 60);
    const QImage image = Render(bar, false);
    // Inside the frame: the lower third is dark, the upper part light.
    EXPECT_EQ(image.pixel(30, 56), kDark);
    EXPECT_EQ(image.pixel(30, 20), 0xFFFFFFFFu);
    EXPECT_EQ(CountPixels(image, QRect(0, 0, 10, 64), kUntouched), 10 * 64);

    bar.Zero = 7;
    bar.FullScale = 7;
    EXPECT_EQ(Render(bar, false).pixel(30, 20), kDark);
}

TEST(ValueElementDraw, BarFillNeverLeavesItsBox)
{
    for (int direction = 1; direction <= 4; ++direction) {
        CGraphElement bar(0);
        bar.SetPosition(60, 10);
        bar.SetSize(40, 30);
        bar.SetDirection(direction);
        bar.SetHexBcd(1);
        bar.FullScale = 100;
        bar.ShowLiveValue(50000, 16);
        const QImage image = Render(bar, true);
        EXPECT_EQ(CountDrawn(image) - CountDrawn(image.copy(QRect(59, 9, 42, 32))), 0) << direction;
        EXPECT_GT(CountPixels(image, QRect(60, 10, 40, 30), kDark), 0) << direction;
    }
    CGraphElement bar(0);
    EXPECT_EQ(bar.SetDirection(9), 1);
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    bar.Draw(painter, QRect(0, 0, 192, 64), false); // an unknown direction draws nothing
}

TEST(ValueElementDraw, CurveWithoutDataPointsDraws)
{
    CGraphElement curve(1);
    curve.SetPosition(0, 0);
    curve.SetSize(96, 48);
    curve.DataPoints = 0;
    curve.RebuildPreview();
    EXPECT_GT(CountDrawn(Render(curve, false)), 0);
    curve.ShowLiveValue(100, 16);
    curve.ShowLiveValue(70000, 32);
    EXPECT_GT(CountDrawn(Render(curve, true)), 0);
    // Samples far outside the scale stay inside the curve's box.
    curve.SetHexBcd(1);
    curve.DataPoints = 4;
    curve.ShowLiveValue(-5, 16);
    const QImage image = Render(curve, true);
    EXPECT_EQ(CountDrawn(image), CountDrawn(image.copy(QRect(0, 0, 97, 49))));
}

TEST(ValueElementDraw, TextsNeedRoomForOneCharacter)
{
    CTextElement text(0);
    text.SetText("A&B");
    text.SetPosition(0, 0);
    text.SetSize(7, 16);
    EXPECT_EQ(CountDrawn(Render(text, false)), 0);
    text.SetSize(24, 16);
    EXPECT_GT(CountDrawn(Render(text, false)), 0);
    text.SetText("");
    EXPECT_EQ(CountDrawn(Render(text, false)), 0);
}

TEST(ValueElementDraw, DynamicTextShowsTheChosenEntryWhileSimulating)
{
    CTextElement text(1);
    text.SetPosition(0, 0);
    text.SetSize(48, 16);
    text.AddState("OFF", "0");
    EXPECT_GT(CountDrawn(Render(text, false)), 0);
    EXPECT_EQ(CountDrawn(Render(text, true)), 0); // nothing matched yet
    text.SelectStateByValue(0);
    EXPECT_GT(CountPixels(Render(text, true), QRect(0, 0, 48, 16), 0xFFAAD447), 0);
}

TEST(ValueElementDraw, RegisterDrawsPreviewOrEntryText)
{
    CRegisterElement reg;
    reg.SetPosition(20, 20);
    reg.SetSize(40, 16);
    const QImage editor = Render(reg, false);
    EXPECT_GT(CountPixels(editor, QRect(20, 20, 40, 16), kDark), 0);
    reg.SetPreviewText("");
    EXPECT_EQ(CountDrawn(Render(reg, false)), 0);

    reg.ShowLiveValue(123, 16);
    reg.Typing = 1;
    reg.EntryCursor = 2;
    const QImage typing = Render(reg, true);
    EXPECT_GT(CountPixels(typing, QRect(20, 20, 40, 16), 0xFFAAD447), 0);
    EXPECT_GT(CountPixels(typing, QRect(20, 20, 41, 16), 0xFF000000), 0); // the cursor
}
