#pragma once

#include "model/elements/CScreenElement.h"

#include <optional>
#include <string>

// The panel's static texts: at most 24 bytes (12 at double size), each byte
// 8 dots wide (16 at double size); texts are GBK bytes, a two-byte character
// is never split.

constexpr std::size_t kStaticTextBytes = 24;
constexpr std::size_t kDoubleSizeStaticTextBytes = 12;

std::size_t StaticTextLimit(bool doubleSize);
int StaticTextWidth(std::size_t bytes, bool doubleSize);

// A text and the box it takes on the display.
struct StaticTextLayout {
    std::string text;
    DotBox box;
};

// `text` typed into a static text at `box`: refused (nullopt) over the
// limit; otherwise the box takes the text's width and its height, moved
// left when it would leave the display on the right.
std::optional<StaticTextLayout> LayOutStaticText(const std::string& text, DotBox box, bool doubleSize);

// Double size switched on for `text` at `box` (a normal-size text): the text
// is cut to the double-size limit without splitting a character, the box
// takes twice the cut text's normal width and twice its height and is moved
// back inside the display.
StaticTextLayout DoubleStaticText(const std::string& text, DotBox box);
