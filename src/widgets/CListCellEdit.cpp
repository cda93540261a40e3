#include "widgets/CListCellEdit.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "devices/GridTextRules.h"
#include "widgets/CEditListCtrl.h"
#include "widgets/DynamicTextRows.h"

#include <QKeyEvent>
#include <QPointer>

namespace {

constexpr int kValueColumn = 1;
constexpr int kTextColumn = 2;

} // namespace

CListCellEdit::CListCellEdit(CEditListCtrl* list, int row, int column, const QString& initialText)
    : InPlaceCellEdit(list, row, column, initialText)
    , m_grid(list)
{
    connect(this, &QLineEdit::textChanged, this, &CListCellEdit::TextChanged);
}

void CListCellEdit::Opened()
{
    // The owner hears of the text the editor opens with, as of any change.
    TextChanged();
}

void CListCellEdit::TextChanged()
{
    QString reported = text();
    if (m_column != kTextColumn) {
        const auto checked = FilterValueText(m_grid->FilterMode(), GbkFromQString(reported),
                                             GbkFromQString(m_grid->SavedText()));
        if (checked.refused) {
            // The fallback is itself a change, reported and committed.
            setText(QStringFromGbk(checked.text));
            return;
        }
        reported = QStringFromGbk(checked.text);
    }
    const QPointer<CListCellEdit> alive(this);
    emit m_grid->cellTextChanged(reported, m_row, m_column);
    if (!alive || IsClosed())
        return;
    WidenToText(text());
    Commit();
}

void CListCellEdit::Commit()
{
    QString committed = text();
    if (m_column == kValueColumn)
        committed = QStringFromGbk(NormaliseCommittedValue(m_grid->FilterMode(), GbkFromQString(committed)));
    CommitToCell(committed);
}

void CListCellEdit::FocusLost()
{
    // Every change was committed as it was typed, so Esc keeps it too.
    if (!m_cancelled)
        Commit();
    Close();
    if (m_grid->HasRepeatedValues())
        CurrentUi().ShowMessage(IdsDynTextValuesRepeat, MbOk);
}

void CListCellEdit::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Commit();
        break;
    case Qt::Key_Escape:
        Cancel();
        break;
    case Qt::Key_Down:
        if (m_grid->DynamicTextMode())
            MoveDownInDynamicText();
        else
            MoveDown();
        break;
    case Qt::Key_Up:
        if (m_grid->DynamicTextMode())
            MoveUpInDynamicText();
        else
            MoveUp();
        break;
    default:
        InPlaceCellEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CListCellEdit::MoveDown()
{
    const bool limited = m_grid->TwoRowLimit();
    if (m_column == kTextColumn && IsValueEmpty(m_row + 1) && !limited)
        return;
    if (m_row >= 1 && limited)
        return;
    if (m_row + 1 == 1 && limited)
        m_grid->SetCellText(1, kValueColumn, QStringLiteral("1"));
    MoveTo(m_row + 1);
}

void CListCellEdit::MoveUp()
{
    if (m_row == 0)
        return;
    if (m_column == kTextColumn && IsValueEmpty(m_row - 1) && !m_grid->TwoRowLimit())
        return;
    MoveTo(m_row - 1);
}

void CListCellEdit::MoveDownInDynamicText()
{
    DynamicTextRows* text = m_grid->DynamicText();
    if (!text)
        return;
    if (m_column == kTextColumn && IsValueEmpty(m_row + 1) && text->WordSize() == 16)
        return;
    AddEntriesThrough(m_row + 1);
    if (EndOnRepeatedValues())
        return;
    if (text->WordSize() == 0) {
        // A bit has the two rows 0 and 1; moving into row 1's text gives it
        // the value 1.
        if (m_row >= 1)
            return;
        if (m_column == kTextColumn && IsValueEmpty(1)) {
            m_grid->SetCellText(1, kValueColumn, QStringLiteral("1"));
            text->SetEntryValue(1, "1");
        }
    }
    MoveTo(m_row + 1);
}

void CListCellEdit::MoveUpInDynamicText()
{
    DynamicTextRows* text = m_grid->DynamicText();
    if (!text)
        return;
    if (m_row > 0 && m_column == kTextColumn && IsValueEmpty(m_row - 1) && text->WordSize() == 16)
        return;
    AddEntriesThrough(m_row + 1);
    if (EndOnRepeatedValues())
        return;
    if (m_row == 0)
        return;
    MoveTo(m_row - 1);
}

void CListCellEdit::AddEntriesThrough(int lastRow)
{
    DynamicTextRows* text = m_grid->DynamicText();
    const int last = std::min(lastRow, m_grid->rowCount() - 1);
    // An owner that can append no more (its text is gone) ends the loop.
    for (int count = text->EntryCount(); count <= last; count = text->EntryCount()) {
        text->AppendEmptyEntry();
        if (text->EntryCount() == count)
            break;
    }
}

bool CListCellEdit::EndOnRepeatedValues()
{
    if (!m_grid->CurrentEditor() || !m_grid->HasRepeatedValues())
        return false;
    // Ending this edit shows the warning.
    m_grid->setFocus(Qt::OtherFocusReason);
    return true;
}

void CListCellEdit::MoveTo(int row)
{
    // Past the last row no editor opens and this one stays.
    m_grid->EditCell(row, m_column);
}

bool CListCellEdit::IsValueEmpty(int row) const { return m_grid->CellText(row, kValueColumn).isEmpty(); }
