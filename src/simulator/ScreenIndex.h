#pragma once

#include "model/CVX50TextDoc.h"

// The index in the screen list of the first screen numbered `number`, as
// the poll plan names screens; -1 when none has it.
inline int ScreenIndexOf(const CVX50TextDoc& doc, int number)
{
    const ScreenRecord* screen = doc.FindScreenByNumber(number);
    return screen ? static_cast<int>(screen - doc.GetScreens().data()) : -1;
}
