#pragma once

#include <vector>

// The rows selected in the address-table editor's grid: row indexes, each at
// most once, in the order they were added, and the anchor row that Shift
// selects from and a drag extends from.
struct RowSelection {
    std::vector<int> rows;
    int anchor = 0;
};

// A click on the number cell of `row`: alone it selects that row and moves
// the anchor there; with Shift it selects from the anchor to the row in
// ascending order (nothing while the selection is empty); with Ctrl alone it
// takes the row out of the selection, or adds it and moves the anchor there.
void ClickNumberCell(RowSelection& selection, int row, bool shift, bool ctrl);

// One step of the auto-scroll while a drag selection is held below the last
// shown row (`down`) or above the first: down adds the row after the last
// selected one; up takes the last row back when the selection grew
// downwards, and otherwise adds the row before the last selected one. No row
// outside 0 to `rowCount` - 1, and none twice, is added; an empty selection
// stays empty.
void AutoScrollStep(std::vector<int>& rows, bool down, int rowCount);
