#include "widgets/CAddressListCtrl.h"

#include "widgets/CAddressCellEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kNameColumn = 1;
constexpr int kAddressColumn = 2;
// A drag near the bottom of these many rows below the top row scrolls down.
constexpr int kDragRows = 12;
constexpr int kScrollDownMargin = 50;
constexpr int kScrollUpMargin = 5;
constexpr int kPaintedColumns = 6;

} // namespace

CAddressListCtrl::CAddressListCtrl(QWidget* parent)
    : InPlaceEditList(parent)
{
}

CAddressCellEdit* CAddressListCtrl::EditCell(int row, int column)
{
    if (column == kAddressColumn && CellText(row, kNameColumn).isEmpty())
        return nullptr;
    const auto rect = EditorRect(row, column);
    if (!rect)
        return nullptr;
    auto* editor = new CAddressCellEdit(this, row, column, CellText(row, column));
    StartEditor(editor, *rect);
    return editor;
}

bool CAddressListCtrl::event(QEvent* event)
{
    // Tab is swallowed before it could move the dialog's focus.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            event->accept();
            return true;
        }
    }
    return InPlaceEditList::event(event);
}

void CAddressListCtrl::SetLastClick(int row, int column)
{
    m_clickedRow = row;
    m_clickedColumn = column;
}

void CAddressListCtrl::SetSelectedRows(std::vector<int> rows)
{
    m_selectedRows = std::move(rows);
    viewport()->update();
}

void CAddressListCtrl::LeftButtonPressed()
{
    if (!m_canEdit)
        setFocus(Qt::MouseFocusReason);
}

void CAddressListCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const bool shiftOrCtrl = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    if (event->buttons() != Qt::LeftButton || shiftOrCtrl || !m_inTab || !m_canEdit || m_clickedColumn != 0)
        return;
    setFocus(Qt::MouseFocusReason);
    const int top = TopVisibleRow();
    if (top < 0)
        return;

    // Near the edges of the shown rows the owner's timer scrolls, as long as
    // there are rows beyond.
    const int y = event->position().toPoint().y();
    const int probe = top + kDragRows;
    m_scrollDown = probe < rowCount() && y >= rowViewportPosition(probe) + rowHeight(probe) - kScrollDownMargin;
    m_scrollUp = top > 0 && y < rowViewportPosition(top) + kScrollUpMargin;

    const int row = rowAt(y);
    if (row < top)
        return;
    std::vector<int> selection;
    if (row > m_dragAnchorRow && !m_scrollUp) {
        for (int r = m_dragAnchorRow; r <= row; ++r)
            selection.push_back(r);
    } else if (row <= m_dragAnchorRow && !m_scrollDown) {
        for (int r = m_dragAnchorRow; r >= row; --r)
            selection.push_back(r);
    } else {
        return;
    }
    if (selection != m_selectedRows)
        SetSelectedRows(std::move(selection));
}

void CAddressListCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    m_scrollDown = false;
    m_scrollUp = false;
}

void CAddressListCtrl::keyPressEvent(QKeyEvent* event)
{
    // The list moves nothing itself. While the table may be edited a key
    // goes to the owner and then on to the dialog (Enter, Esc); otherwise it
    // is swallowed.
    if (!m_canEdit) {
        event->accept();
        return;
    }
    emit keyPressed(event->key(), event->modifiers());
    event->ignore();
}

void CAddressListCtrl::paintEvent(QPaintEvent* event)
{
    InPlaceEditList::paintEvent(event);
    if (m_selectedRows.empty())
        return;
    QPainter painter(viewport());
    for (int row : m_selectedRows) {
        if (row < 0 || row >= rowCount())
            continue;
        const int y = rowViewportPosition(row);
        if (y + rowHeight(row) <= 0 || y >= viewport()->height())
            continue;
        for (int column = 0; column < kPaintedColumns; ++column)
            PaintCellOver(painter, row, column, QColor(150, 150, 255), Qt::white, true);
    }
}
