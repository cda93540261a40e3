#pragma once

// The alarm grid's layout in client pixels: a header row, then rows of 20
// pixels, 17 of them visible; column 0 holds the element names, column 1 the
// alarm texts. While the scroll bar is shown it takes the right end of the
// text column.
namespace AlarmGridLayout {
constexpr int Width = 358;
constexpr int Height = 360;
constexpr int HeaderHeight = 20;
constexpr int RowHeight = 20;
constexpr int VisibleRows = 17;
constexpr int NameColumnWidth = 125;
constexpr int TextColumnWidth = 233;
constexpr int ScrollBarWidth = 15;
// Clicks right of this width hit no cell.
constexpr int ClickableWidth = 303;
} // namespace AlarmGridLayout

// The display row under the point (x, y), or -1; rows are tried for the
// segment's `entries` rows counted from the top of the grid. `column`
// receives the column whose span, both ends included, holds x (0 when the
// point hits no row).
int HitTestCell(int x, int y, int entries, int& column);

// Whether a segment of `entries` rows needs the scroll bar.
bool NeedsScrollBar(int entries);

// The highest first row shown and the scroll range: a scroll position of 20k
// shows row k at the top, up to 20 x (entries - 17).
int MaxTopRow(int entries);
int ScrollMaximum(int entries);

// The first row shown for a thumb dragged to `position`: the nearest whole
// row; halfway between two rows gives the later one.
int ThumbTopRow(int position);
