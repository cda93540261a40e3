#include "model/elements/draw/ElementTextDraw.h"

#include "base/GbkText.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

QFont ElementTextFont(int pixelHeight, int charWidth)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setWeight(QFont::Black);
    font.setPixelSize(std::max(pixelHeight, 1));
    const int natural = QFontMetrics(font).horizontalAdvance(QLatin1Char('0'));
    if (natural > 0 && charWidth > 0)
        font.setStretch(std::clamp(100 * charWidth / natural, 1, 4000));
    return font;
}

void DrawElementTextLine(QPainter& painter, const QRect& box, const QFont& font, const std::string& gbkText,
                         QColor colour, std::optional<QColor> background)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    if (background) {
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(*background);
    } else {
        painter.setBackgroundMode(Qt::TransparentMode);
    }
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, QStringFromGbk(gbkText));
    painter.restore();
}
