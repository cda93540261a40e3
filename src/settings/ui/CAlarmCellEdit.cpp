#include "settings/ui/CAlarmCellEdit.h"

#include "settings/ui/CAlarmListCtrl.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWheelEvent>

namespace {

// Keys the editor keeps from the dialog's buttons and focus chain.
bool IsGridKey(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

} // namespace

CAlarmCellEdit::CAlarmCellEdit(CAlarmListCtrl* grid, const QString& text, bool selectAll)
    : QLineEdit(grid)
    , m_grid(grid)
{
    setObjectName(QStringLiteral("alarmCellEdit"));
    setFrame(false);
    setFont(grid->font());
    setText(text);
    if (selectAll)
        this->selectAll();
    connect(this, &QLineEdit::textEdited, this, [this](const QString& edited) {
        if (m_grid)
            m_grid->EditorEdited(edited);
    });
}

bool CAlarmCellEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && IsGridKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    // Tab would move the dialog's focus before reaching keyPressEvent.
    if (event->type() == QEvent::KeyPress && IsGridKey(*static_cast<QKeyEvent*>(event))) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QLineEdit::event(event);
}

void CAlarmCellEdit::keyPressEvent(QKeyEvent* event)
{
    if (!IsGridKey(*event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (m_grid && event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab)
        m_grid->GridKey(event->key());
}

void CAlarmCellEdit::wheelEvent(QWheelEvent* event)
{
    event->accept();
    if (m_grid)
        m_grid->Wheeled(event->angleDelta().y());
}

void CAlarmCellEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (m_grid && event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        m_grid->EditorLeft();
}
