#include "model/elements/CTextElement.h"

#include "model/elements/draw/ElementColour.h"
#include "model/elements/draw/DrawingKey.h"
#include "model/elements/draw/ElementTextDraw.h"

#include <QPainter>

std::string CTextElement::ShownText(bool simulating) const
{
    if (!IsDynamic())
        return m_staticText;
    return GetState(simulating ? ShownEntry() : m_previewEntry).text;
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
        painter.setPen(QPen(ElementColour(kSimulatedDisplayColour), 1));
        painter.setBrush(IsInverse() ? QColor(Qt::black) : ElementColour(kSimulatedDisplayColour));
    } else {
        painter.setPen(QPen(ElementColour(GetLightColour()), 1));
        painter.setBrush(ElementColour(GetLightColour()));
    }
    painter.drawRect(shrunk.adjusted(0, 0, -1, -1));
    if (simulating)
        DrawElementTextLine(painter, shrunk, font, text,
                            IsInverse() ? ElementColour(kSimulatedDisplayColour) : ElementColour(GetDarkColour()), std::nullopt);
    else
        DrawElementTextLine(painter, shrunk, font, text, ElementColour(GetDarkColour()), ElementColour(GetLightColour()));
    painter.restore();
}

std::string CTextElement::EditorDrawingKey() const
{
    std::string key = CScreenElement::EditorDrawingKey();
    AppendKey(key, m_flags);
    AppendKey(key, ShownText(false));
    return key;
}
