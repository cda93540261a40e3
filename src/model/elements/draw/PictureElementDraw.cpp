#include "model/elements/CPictureElement.h"

#include "model/elements/draw/PanelBitmaps.h"
#include "model/elements/draw/DrawingKey.h"

#include <QImage>
#include <QRect>

const QImage* CPictureElement::Image() const
{
    if (m_image || !HasBitmap())
        return m_image.get();
    QImage bitmap(BitmapWidth(), BitmapHeight(), QImage::Format_RGB32);
    for (int y = 0; y < BitmapHeight(); ++y)
        for (int x = 0; x < BitmapWidth(); ++x)
            bitmap.setPixel(x, y, 0xFF000000u | DotColour(x, y));
    m_image = std::make_shared<const QImage>(std::move(bitmap));
    return m_image.get();
}

void CPictureElement::Draw(QPainter& painter, const QRect& display, bool simulating) const
{
    const QImage* image = Image();
    if (!image)
        return;
    DrawBitmapInBox(painter, BoxOnDisplay(display.width(), display.height()), *image, simulating);
}

std::string CPictureElement::EditorDrawingKey() const
{
    std::string key = CScreenElement::EditorDrawingKey();
    AppendKey(key, m_bitmapWidth);
    AppendKey(key, m_bitmapHeight);
    AppendKey(key, static_cast<long long>(m_pixels->Serial()));
    return key;
}
