#pragma once

#include <QColor>
#include <QFont>

#include <optional>
#include <string>

class QPainter;
class QRect;

// Texts of register and text elements: one line, vertically centred and
// left-aligned in the element's box.

// "Courier New", weight 900, `pixelHeight` tall and about `charWidth` pixels
// per character. Where the face is missing fontconfig substitutes a monospace
// font, whose width is then stretched to the cell.
QFont ElementTextFont(int pixelHeight, int charWidth);

// Draws the GBK text in `colour`; with a background the text's cells are
// filled with it first, as an opaque text is drawn.
void DrawElementTextLine(QPainter& painter, const QRect& box, const QFont& font, const std::string& gbkText,
                         QColor colour, std::optional<QColor> background);
