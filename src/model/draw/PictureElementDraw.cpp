#include "model/CPictureElement.h"

#include "model/draw/PanelBitmaps.h"

#include <QImage>
#include <QRect>

void CPictureElement::Draw(QPainter& painter, const QRect& display, bool simulating) const
{
    if (!HasBitmap())
        return;
    QImage bitmap(BitmapWidth(), BitmapHeight(), QImage::Format_RGB32);
    for (int y = 0; y < BitmapHeight(); ++y)
        for (int x = 0; x < BitmapWidth(); ++x)
            bitmap.setPixel(x, y, 0xFF000000u | DotColour(x, y));
    DrawBitmapInBox(painter, BoxOnDisplay(display.width(), display.height()), bitmap, simulating);
}
