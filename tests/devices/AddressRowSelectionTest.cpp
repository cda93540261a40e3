#include "devices/AddressRowSelection.h"

#include <gtest/gtest.h>

TEST(AddressRowSelection, ClicksInTheNumberColumn)
{
    const struct {
        const char* what;
        RowSelection before;
        int row;
        bool shift;
        bool ctrl;
        std::vector<int> rows;
        int anchor;
    } cases[] = {
        {"plain click selects the row alone", {{1, 2, 3}, 1}, 5, false, false, {5}, 5},
        {"shift selects from the anchor up", {{7}, 7}, 4, true, false, {4, 5, 6, 7}, 7},
        {"shift selects from the anchor down", {{2}, 2}, 4, true, false, {2, 3, 4}, 2},
        {"shift with ctrl acts as shift", {{2}, 2}, 3, true, true, {2, 3}, 2},
        {"shift with nothing selected does nothing", {{}, 2}, 5, true, false, {}, 2},
        {"ctrl adds a row and anchors it", {{2}, 2}, 6, false, true, {2, 6}, 6},
        {"ctrl deselects a selected row", {{2, 6}, 6}, 2, false, true, {6}, 6},
    };
    for (const auto& c : cases) {
        RowSelection selection = c.before;
        ClickNumberCell(selection, c.row, c.shift, c.ctrl);
        EXPECT_EQ(selection.rows, c.rows) << c.what;
        EXPECT_EQ(selection.anchor, c.anchor) << c.what;
    }
}

TEST(AddressRowSelection, AutoScrollSteps)
{
    const struct {
        const char* what;
        std::vector<int> before;
        bool down;
        std::vector<int> after;
    } cases[] = {
        {"down adds the next row", {3, 4}, true, {3, 4, 5}},
        {"down stops at the last row", {8, 9}, true, {8, 9}},
        {"up takes back a downward selection", {3, 4, 5}, false, {3, 4}},
        {"up grows an upward selection", {5, 4}, false, {5, 4, 3}},
        {"up from one row adds the row above", {5}, false, {5, 4}},
        {"up stops at row 0", {1, 0}, false, {1, 0}},
        {"down adds no row twice", {6, 5, 4, 3}, true, {6, 5, 4, 3}},
        {"nothing selected stays so", {}, true, {}},
    };
    for (const auto& c : cases) {
        std::vector<int> rows = c.before;
        AutoScrollStep(rows, c.down, 10);
        EXPECT_EQ(rows, c.after) << c.what;
    }
}
