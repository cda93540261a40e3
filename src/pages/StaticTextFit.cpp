#include "pages/StaticTextFit.h"

#include "base/ShortText.h"
#include "pages/DisplayFit.h"

std::size_t StaticTextLimit(bool doubleSize)
{
    return doubleSize ? kDoubleSizeStaticTextBytes : kStaticTextBytes;
}

int StaticTextWidth(std::size_t bytes, bool doubleSize)
{
    return static_cast<int>(bytes) * (doubleSize ? 16 : 8);
}

std::optional<StaticTextLayout> LayOutStaticText(const std::string& text, DotBox box, bool doubleSize)
{
    if (text.size() > StaticTextLimit(doubleSize))
        return std::nullopt;
    box.w = StaticTextWidth(text.size(), doubleSize);
    box.x = PullInside(box.x, box.w, kDisplayWidth);
    return StaticTextLayout{text, box};
}

StaticTextLayout DoubleStaticText(const std::string& text, DotBox box)
{
    StaticTextLayout doubled{std::string(GbkPrefix(text, kDoubleSizeStaticTextBytes)), box};
    doubled.box.w = 2 * StaticTextWidth(doubled.text.size(), false);
    doubled.box.h = 2 * box.h;
    doubled.box.x = PullInside(box.x, doubled.box.w, kDisplayWidth);
    doubled.box.y = PullInside(box.y, doubled.box.h, kDisplayHeight);
    return doubled;
}
