#include "model/elements/DisplaySize.h"

#include <algorithm>

DotSize TextRunSize(int x, int y, int length, bool doubleSize)
{
    const int charWidth = doubleSize ? 16 : 8;
    const int height = doubleSize ? 32 : 16;
    const int roomRight = kDisplayWidth - std::clamp(x, 0, kDisplayWidth);
    const int roomBelow = kDisplayHeight - std::clamp(y, 0, kDisplayHeight);
    const long long width = static_cast<long long>(std::max(length, 0)) * charWidth;
    return {static_cast<int>(std::min<long long>(width, roomRight)), std::min(height, roomBelow)};
}
