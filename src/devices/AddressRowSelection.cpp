#include "devices/AddressRowSelection.h"

#include <algorithm>

namespace {

void AddRow(std::vector<int>& rows, int row, int rowCount)
{
    if (row >= 0 && row < rowCount && std::find(rows.begin(), rows.end(), row) == rows.end())
        rows.push_back(row);
}

} // namespace

void ClickNumberCell(RowSelection& selection, int row, bool shift, bool ctrl)
{
    std::vector<int>& rows = selection.rows;
    if (shift) {
        if (rows.empty())
            return;
        rows.clear();
        for (int r = std::min(selection.anchor, row); r <= std::max(selection.anchor, row); ++r)
            rows.push_back(r);
        return;
    }
    if (!ctrl) {
        selection.anchor = row;
        rows = {row};
        return;
    }
    const auto found = std::find(rows.begin(), rows.end(), row);
    if (found != rows.end()) {
        rows.erase(found);
        return;
    }
    rows.push_back(row);
    selection.anchor = row;
}

void AutoScrollStep(std::vector<int>& rows, bool down, int rowCount)
{
    if (rows.empty())
        return;
    const int last = rows.back();
    if (down) {
        AddRow(rows, last + 1, rowCount);
        return;
    }
    if (rows.size() >= 2 && rows[rows.size() - 2] < last)
        rows.pop_back();
    else
        AddRow(rows, last - 1, rowCount);
}
