#pragma once

#include "model/ScreenRecord.h"

#include <vector>

// All screens at one moment: one undo snapshot. A snapshot owns its element
// objects; none is shared with the live project or another snapshot.
struct ScreenSet {
    std::vector<ScreenRecord> Screens;
    int Current = 0; // the edited screen's number
    int Undone = 0; // 1 while the snapshot holds a state that was undone
};
