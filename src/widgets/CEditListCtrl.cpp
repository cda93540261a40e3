#include "widgets/CEditListCtrl.h"

#include "widgets/CListCellEdit.h"

#include <QKeyEvent>
#include <QPainter>

CEditListCtrl::CEditListCtrl(QWidget* parent)
    : InPlaceEditList(parent)
{
}

CListCellEdit* CEditListCtrl::EditCell(int row, int column)
{
    const auto rect = EditorRect(row, column);
    if (!rect)
        return nullptr;
    auto* editor = new CListCellEdit(this, row, column, CellText(row, column));
    StartEditor(editor, *rect);
    return editor;
}

void CEditListCtrl::SetBitShading(bool on)
{
    m_bitShading = on;
    viewport()->update();
}

bool CEditListCtrl::HasRepeatedValues() const { return HasRepeatedText(ColumnTexts(1, kTableRows)); }

void CEditListCtrl::paintEvent(QPaintEvent* event)
{
    InPlaceEditList::paintEvent(event);
    if (!m_bitShading)
        return;
    const int top = TopVisibleRow();
    if (top < 0)
        return;
    const QColor fill(213, 210, 205);
    const QColor outline(192, 192, 192);
    QPainter painter(viewport());
    const int last = std::min(rowCount(), kTableRows) - 1;
    for (int row = top; row <= last && rowViewportPosition(row) < viewport()->height(); ++row) {
        // Rows 0 and 1 keep showing their texts; the rows after them are blank.
        PaintCellOver(painter, row, 1, fill, outline, row < 2);
        if (row >= 2)
            PaintCellOver(painter, row, 2, fill, outline, false);
    }
}

void CEditListCtrl::keyPressEvent(QKeyEvent* event)
{
    // Tab and the side arrows belong to the dialog around the grid.
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
        event->ignore();
        return;
    default:
        InPlaceEditList::keyPressEvent(event);
    }
}
