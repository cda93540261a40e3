#include "widgets/InPlaceCellEdit.h"

#include "widgets/InPlaceEditList.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace {

// Keys that an open editor keeps from the dialog's shortcuts and buttons.
bool IsEditorKey(const QKeyEvent& key)
{
    if (key.modifiers() & Qt::ControlModifier)
        return true;
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Delete:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

} // namespace

InPlaceCellEdit::InPlaceCellEdit(InPlaceEditList* list, int row, int column, const QString& initialText)
    : QLineEdit(list->viewport())
    , m_list(list)
    , m_row(row)
    , m_column(column)
    , m_initialText(initialText)
{
    setFont(list->font());
}

void InPlaceCellEdit::Start()
{
    {
        const QSignalBlocker quiet(this);
        setText(m_initialText);
    }
    Opened();
    if (m_closed)
        return;
    show();
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

void InPlaceCellEdit::WidenToText(const QString& text)
{
    const int wanted = fontMetrics().horizontalAdvance(text) + 5;
    if (wanted <= width())
        return;
    const int right = std::min(x() + wanted, m_list->viewport()->width());
    resize(std::max(width(), right - x()), height());
}

void InPlaceCellEdit::CommitToCell(const QString& text) { m_list->CommitCellText(m_row, m_column, text); }

void InPlaceCellEdit::Cancel()
{
    m_cancelled = true;
    m_list->setFocus(Qt::OtherFocusReason);
}

void InPlaceCellEdit::Resume()
{
    m_cancelled = false;
    m_list->EditorResumed(this);
    setFocus(Qt::OtherFocusReason);
}

void InPlaceCellEdit::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    m_list->EditorClosed(this);
    // Hiding a focused widget would pass the focus on along the tab chain.
    if (hasFocus())
        m_list->setFocus(Qt::OtherFocusReason);
    hide();
    deleteLater();
}

bool InPlaceCellEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && IsEditorKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    // Tab would move the dialog's focus before reaching keyPressEvent.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void InPlaceCellEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (m_closed || event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    FocusLost();
}
