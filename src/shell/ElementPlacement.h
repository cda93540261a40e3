#pragma once

#include "model/elements/CScreenElement.h"
#include "model/elements/ElementKind.h"

#include <cstdint>
#include <memory>
#include <vector>

class CVX50TextDoc;

// A screen never holds more elements than its element count byte can say.
constexpr std::size_t kMaxScreenElements = 255;

// The pixels of the picture chosen for the picture tool, already limited to
// the display: 32 bits a dot (blue, green, red, 0), rows of `width` dots.
struct PictureDots {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// The size in dots of the element that `tool` places (and of its preview
// box). The texts are 8 dots wide per byte of their default string; the
// picture takes the chosen picture's size, at most 192 x 64.
DotSize ToolDefaultSize(ToolCode tool, DotSize pictureSize = {});

// Places a new element of `tool` (1 to 8) for a press at pixel (px, py) of a
// clientWidth x clientHeight canvas: it takes the lowest free number of its
// class, its kind's defaults, a position inside the display and the first
// element type its page offers; every other element is deselected, the new
// one is selected and appended on top of the working list, and the project is
// marked modified. `picture` is required for the picture tool.
//
// A screen that already holds kMaxScreenElements elements refuses with
// message IdsTooManyElements and nullptr; so does a tool that places nothing.
std::shared_ptr<CScreenElement> PlaceToolElement(CVX50TextDoc& doc, ToolCode tool, int px, int py,
    int clientWidth, int clientHeight, const PictureDots* picture = nullptr);
