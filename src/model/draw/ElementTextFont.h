#pragma once

#include <QFont>

// The font register and text elements draw with: "Courier New", weight 900,
// `pixelHeight` tall and about `charWidth` pixels per character. Where the
// face is missing fontconfig substitutes a monospace font, whose width is then
// stretched to the cell.
QFont ElementTextFont(int pixelHeight, int charWidth);
