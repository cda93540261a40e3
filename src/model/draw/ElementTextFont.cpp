#include "model/draw/ElementTextFont.h"

#include <QFontMetrics>

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
