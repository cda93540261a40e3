#include "widgets/InPlaceEditList.h"

#include "base/GbkText.h"
#include "widgets/InPlaceCellEdit.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

InPlaceEditList::InPlaceEditList(QWidget* parent)
    : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // A press on the list must not take the focus from an open editor: the
    // owner decides what a press does.
    setFocusPolicy(Qt::NoFocus);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setMinimumSectionSize(0); // value grids hide column 0 at width 0
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);

    // A scroll-bar action ends an open edit before the list scrolls.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &InPlaceEditList::TakeFocusToEndEdit);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, &InPlaceEditList::TakeFocusToEndEdit);
}

void InPlaceEditList::AddColumn(const QString& heading, int width, Qt::Alignment alignment)
{
    const int column = columnCount();
    setColumnCount(column + 1);
    auto* header = new QTableWidgetItem(heading);
    header->setTextAlignment(alignment | Qt::AlignVCenter);
    setHorizontalHeaderItem(column, header);
    setColumnWidth(column, width);
}

QString InPlaceEditList::CellText(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void InPlaceEditList::SetCellText(int row, int column, const QString& text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    if (QTableWidgetItem* cell = item(row, column)) {
        cell->setText(text);
        return;
    }
    auto* cell = new QTableWidgetItem(text);
    const QTableWidgetItem* header = horizontalHeaderItem(column);
    const Qt::Alignment horizontal =
        header ? Qt::Alignment(header->textAlignment()) & Qt::AlignHorizontal_Mask : Qt::AlignLeft;
    cell->setTextAlignment(horizontal | Qt::AlignVCenter);
    setItem(row, column, cell);
}

int InPlaceEditList::HitTestCell(const QPoint& point, int* column) const
{
    if (column)
        *column = 0;
    const int top = TopVisibleRow();
    if (top < 0)
        return -1;
    for (int row = top; row < rowCount(); ++row) {
        const int y = rowViewportPosition(row);
        if (y > viewport()->height())
            break;
        if (point.y() < y || point.y() >= y + rowHeight(row))
            continue;
        for (int c = 0; c < columnCount(); ++c) {
            const int left = columnViewportPosition(c);
            if (point.x() >= left && point.x() <= left + columnWidth(c)) {
                if (column)
                    *column = c;
                return row;
            }
        }
        return -1;
    }
    return -1;
}

bool InPlaceEditList::EndEdit()
{
    // The editor is left as if it lost the focus, also while the window is
    // not active and no focus event would arrive.
    if (InPlaceCellEdit* editor = m_currentEditor)
        editor->FocusLost();
    if (!m_currentEditor)
        setFocus(Qt::OtherFocusReason);
    return !m_currentEditor;
}

int InPlaceEditList::TopVisibleRow() const
{
    return rowCount() > 0 ? std::max(0, rowAt(0)) : -1;
}

std::optional<QRect> InPlaceEditList::EditorRect(int row, int column)
{
    if (column <= 0 || column >= columnCount() || row < 0 || row >= rowCount() || columnWidth(column) < 5)
        return std::nullopt;

    // The row is scrolled into view; partly visible is enough.
    const int y = rowViewportPosition(row);
    if (y + rowHeight(row) <= 0)
        verticalScrollBar()->setValue(verticalScrollBar()->value() + y);
    else if (y >= viewport()->height())
        verticalScrollBar()->setValue(verticalScrollBar()->value() + y + rowHeight(row) - viewport()->height());

    // A cell outside the visible columns is scrolled to the left edge.
    int left = columnViewportPosition(column);
    if (left < 0 || left > viewport()->width()) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + left);
        left = columnViewportPosition(column);
    }
    QRect rect(left, rowViewportPosition(row), columnWidth(column), rowHeight(row));
    rect.setRight(std::min(rect.right(), viewport()->width() - 1));
    return rect;
}

void InPlaceEditList::StartEditor(InPlaceCellEdit* editor, const QRect& cell)
{
    if (const QTableWidgetItem* header = horizontalHeaderItem(editor->Column()))
        editor->setAlignment(Qt::Alignment(header->textAlignment()) & Qt::AlignHorizontal_Mask);
    editor->setGeometry(cell);
    KeepFocusWith(editor);
    editor->Start();
}

void InPlaceEditList::KeepFocusWith(InPlaceCellEdit* editor)
{
    m_currentEditor = editor;
    // Qt gives a press the focus of the first widget around it that takes
    // clicks, which for a list inside a scroll area is the area: the open
    // editor would end before the owner hears of the press. The viewport
    // takes the click for the editor instead, which keeps the focus.
    viewport()->setFocusProxy(editor);
    viewport()->setFocusPolicy(editor ? Qt::ClickFocus : Qt::NoFocus);
}

void InPlaceEditList::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (PassesLeftButtonOn())
        emit leftButtonPressed(event->position().toPoint(), event->modifiers());
    LeftButtonPressed();
}

void InPlaceEditList::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is not passed on: the first was.
}

void InPlaceEditList::wheelEvent(QWheelEvent* event)
{
    TakeFocusToEndEdit();
    QTableWidget::wheelEvent(event);
}

std::vector<std::string> InPlaceEditList::ColumnTexts(int column, int rows) const
{
    const int count = rows < 0 ? rowCount() : std::min(rows, rowCount());
    std::vector<std::string> texts;
    texts.reserve(count);
    for (int row = 0; row < count; ++row)
        texts.push_back(GbkFromQString(CellText(row, column)));
    return texts;
}

void InPlaceEditList::PaintCellOver(QPainter& painter, int row, int column, const QColor& fill,
                                    const QColor& outline, bool withText) const
{
    if (column >= columnCount() || columnWidth(column) < 5)
        return;
    const QRect cell(columnViewportPosition(column), rowViewportPosition(row), columnWidth(column), rowHeight(row));
    painter.fillRect(cell, fill);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    if (withText) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(cell.adjusted(5, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, CellText(row, column));
    }
}

void InPlaceEditList::CommitCellText(int row, int column, const QString& text)
{
    SetCellText(row, column, text);
    if (text.isEmpty())
        emit cellEmptied(row, column);
}

void InPlaceEditList::EditorClosed(InPlaceCellEdit* editor)
{
    if (m_currentEditor == editor)
        KeepFocusWith(nullptr);
}

void InPlaceEditList::TakeFocusToEndEdit()
{
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
}
