#include "model/CPictureElement.h"

#include "model/draw/PanelBitmaps.h"

#include <QImage>
#include <QRect>

void CPictureElement::RebuildImage()
{
    if (!HasBitmap()) {
        m_image.reset();
        return;
    }
    QImage bitmap(BitmapWidth(), BitmapHeight(), QImage::Format_RGB32);
    for (int y = 0; y < BitmapHeight(); ++y)
        for (int x = 0; x < BitmapWidth(); ++x)
            bitmap.setPixel(x, y, 0xFF000000u | DotColour(x, y));
    m_image = std::make_shared<const QImage>(std::move(bitmap));
}

void CPictureElement::Draw(QPainter& painter, const QRect& display, bool simulating) const
{
    if (!m_image)
        return;
    DrawBitmapInBox(painter, BoxOnDisplay(display.width(), display.height()), *m_image, simulating);
}
