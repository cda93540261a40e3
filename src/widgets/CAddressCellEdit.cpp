#include "widgets/CAddressCellEdit.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "devices/GridTextRules.h"
#include "widgets/CAddressListCtrl.h"

#include <QKeyEvent>
#include <QPointer>

namespace {

constexpr int kNumberColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kAddressColumn = 2;
constexpr std::size_t kNameBytes = 10;
constexpr std::size_t kCellBytes = 999;

} // namespace

CAddressCellEdit::CAddressCellEdit(CAddressListCtrl* list, int row, int column, const QString& initialText)
    : InPlaceCellEdit(list, row, column, initialText)
    , m_grid(list)
    , m_lastAccepted(initialText)
{
    connect(this, &QLineEdit::textEdited, this, &CAddressCellEdit::Edited);
}

void CAddressCellEdit::Edited()
{
    CheckTypedText();
    const QString trimmed = TrimmedText();
    WidenToText(trimmed);
    CommitToCell(trimmed);
    AppendTrailingRows();
    if (m_grid->CellText(m_row, kNumberColumn).isEmpty() && !text().isEmpty())
        m_grid->SetCellText(m_row, kNumberColumn, QString::number(m_row + 1));
    emit m_grid->cellTextTyped(text(), m_row);
}

void CAddressCellEdit::CheckTypedText()
{
    if (m_column == kAddressColumn) {
        const auto accepted = FilterAddressText(m_grid->IsWordOnlyAddress(), GbkFromQString(text()));
        if (!accepted) {
            setText(m_lastAccepted);
            return;
        }
        const QString upper = QStringFromGbk(*accepted);
        if (upper != text()) {
            const int caret = cursorPosition();
            setText(upper);
            setCursorPosition(caret);
        }
        m_lastAccepted = upper;
        return;
    }
    const std::size_t limit = m_column == kNameColumn ? kNameBytes : kCellBytes;
    const std::string typed = GbkFromQString(text());
    // "=" and ";" would end the name's field in the device file.
    const bool breaksFile = m_column == kNameColumn && typed.find_first_of("=;") != std::string::npos;
    if (typed.size() > limit || breaksFile)
        setText(m_lastAccepted);
    else
        m_lastAccepted = text();
}

QString CAddressCellEdit::TrimmedText() const { return QStringFromGbk(TrimBlanks(GbkFromQString(text()))); }

bool CAddressCellEdit::IsHeldByOtherRow() const
{
    return ::IsHeldByOtherRow(m_grid->ColumnTexts(m_column), m_row, GbkFromQString(TrimmedText()));
}

bool CAddressCellEdit::WarnIfHeldByOtherRow() const
{
    if (!IsHeldByOtherRow())
        return false;
    CurrentUi().ShowMessage(IdsAddressOrNameRepeated, MbOk);
    return true;
}

void CAddressCellEdit::FocusLost()
{
    if (m_grid->KeepEditing()) {
        m_grid->SetKeepEditing(false);
        if (InPlaceCellEdit* editor = m_grid->CurrentEditor())
            editor->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (IsHeldByOtherRow()) {
        // The focus comes back first, so the warning's own window does not
        // count as leaving the editor.
        Resume();
        WarnIfHeldByOtherRow();
        return;
    }
    if (!m_cancelled)
        CommitToCell(TrimmedText());
    Close();
}

void CAddressCellEdit::keyPressEvent(QKeyEvent* event)
{
    const bool back = event->key() == Qt::Key_Backtab ||
                      (event->key() == Qt::Key_Tab && (event->modifiers() & Qt::ShiftModifier));
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (back && m_column == kAddressColumn)
            MoveTo(m_row, kNameColumn);
        else if (!back && m_column == kNameColumn)
            MoveTo(m_row, kAddressColumn);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        WarnIfHeldByOtherRow();
        CommitToCell(TrimmedText());
        break;
    case Qt::Key_Escape:
        Cancel();
        break;
    case Qt::Key_Up:
        if (m_row > 0)
            MoveTo(m_row - 1, m_column);
        break;
    case Qt::Key_Down:
        MoveTo(m_row + 1, m_column);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        break; // the move happens when the key is released
    default:
        InPlaceCellEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CAddressCellEdit::keyReleaseEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key != Qt::Key_PageUp && key != Qt::Key_PageDown) || event->isAutoRepeat()) {
        InPlaceCellEdit::keyReleaseEvent(event);
        return;
    }
    const int rowHeight = std::max(1, m_grid->rowHeight(std::max(0, m_row)));
    const int page = std::max(1, m_grid->viewport()->height() / rowHeight);
    const int target = key == Qt::Key_PageUp ? std::max(0, m_row - page)
                                             : std::min(m_grid->rowCount() - 1, m_row + page);
    if (target != m_row)
        MoveTo(target, m_column);
    event->accept();
}

void CAddressCellEdit::MoveTo(int row, int column)
{
    if (WarnIfHeldByOtherRow())
        return;
    m_grid->EditCell(row, column);
}

void CAddressCellEdit::AppendTrailingRows()
{
    std::vector<bool> named(m_grid->rowCount());
    for (int row = 0; row < m_grid->rowCount(); ++row)
        named[row] = !m_grid->CellText(row, kNameColumn).isEmpty();
    const int missing = TrailingRowsToAppend(named);
    if (missing > 0)
        m_grid->setRowCount(m_grid->rowCount() + missing);
}
