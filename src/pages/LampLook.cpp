#include "pages/LampLook.h"

#include "pages/DisplayFit.h"

int LampCodeOfListIndex(int index)
{
    return index == 0 ? 1 : 0;
}

int LampListIndexOfCode(int code)
{
    return code == 0 ? 1 : 0;
}

DotBox LampBoxForDoubleSize(DotBox box, bool doubleSize)
{
    const int side = doubleSize ? 32 : 16;
    if (doubleSize) {
        box.x = PullInside(box.x, side, kDisplayWidth);
        box.y = PullInside(box.y, side, kDisplayHeight);
    }
    return {box.x, box.y, side, side};
}
