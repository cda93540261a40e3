#include "model/CTextElement.h"

#include "model/draw/ElementTextDraw.h"

#include <QPainter>

namespace {

QColor Colour(std::uint32_t rgb)
{
    return QColor(static_cast<QRgb>(rgb));
}

}  // namespace

std::string CTextElement::ShownText(bool simulating) const
{
    if (!IsDynamic())
        return m_staticText;
    return GetState(simulating ? ShownEntry.load() : m_previewEntry).text;
}

void CTextElement::Draw(QPainter& painter, const QRect& display, bool simulating) const
{
    const PixelRect box = BoxOnDisplay(display.width(), display.height());
    const DotSize size = GetSize();
    const int chars = size.height == 16 ? size.width / 8 : size.width / 16;
    if (chars <= 0)
        return;
    const std::string text = ShownText(simulating);
    if (text.empty())
        return;
    const int charWidth = (box.right - box.left) / chars;
    const QFont font = ElementTextFont(box.bottom - box.top, charWidth);

    // The text's background leaves a dot free at the top and at the bottom.
    const QRect shrunk(QPoint(box.left, box.top + 1), QPoint(box.right - 1, box.bottom - 2));
    painter.save();
    if (simulating) {
        painter.setPen(QPen(Colour(kSimulatedDisplayColour), 1));
        painter.setBrush(IsInverse() ? QColor(Qt::black) : Colour(kSimulatedDisplayColour));
    } else {
        painter.setPen(QPen(Colour(GetLightColour()), 1));
        painter.setBrush(Colour(GetLightColour()));
    }
    painter.drawRect(shrunk.adjusted(0, 0, -1, -1));
    if (simulating)
        DrawElementTextLine(painter, shrunk, font, text,
                            IsInverse() ? Colour(kSimulatedDisplayColour) : Colour(GetDarkColour()), std::nullopt);
    else
        DrawElementTextLine(painter, shrunk, font, text, Colour(GetDarkColour()), Colour(GetLightColour()));
    painter.restore();
}
