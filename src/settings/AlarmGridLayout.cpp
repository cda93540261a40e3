#include "settings/AlarmGridLayout.h"

#include <algorithm>

using namespace AlarmGridLayout;

int HitTestCell(int x, int y, int entries, int& column)
{
    column = 0;
    if (x < 0 || x >= ClickableWidth || y < HeaderHeight)
        return -1;
    const int row = (y - HeaderHeight) / RowHeight;
    if (row >= entries)
        return -1;
    column = x <= NameColumnWidth ? 0 : 1;
    return row;
}

bool NeedsScrollBar(int entries)
{
    return entries > VisibleRows;
}

int MaxTopRow(int entries)
{
    return std::max(0, entries - VisibleRows);
}

int ScrollMaximum(int entries)
{
    return RowHeight * MaxTopRow(entries);
}

int ThumbTopRow(int position)
{
    return position <= 0 ? 0 : (position + RowHeight / 2) / RowHeight;
}
