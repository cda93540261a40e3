#include "pages/ui/CElementNameCombo.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// Keys that edit or move through the text rather than the list.
bool TypesIntoEdit(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return !key.text().isEmpty() && key.text().front().isPrint();
    }
}

} // namespace

CElementNameCombo::CElementNameCombo(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Typed names are matched by the page, exactly; no completion.
    setCompleter(nullptr);
    view()->installEventFilter(this);
}

bool CElementNameCombo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view() && event->type() == QEvent::KeyPress && TypesIntoEdit(*static_cast<QKeyEvent*>(event))) {
        QCoreApplication::sendEvent(lineEdit(), event);
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void CElementNameCombo::showPopup()
{
    if (m_open)
        return;
    emit DropDown();
    m_open = true;
    QComboBox::showPopup();
}

void CElementNameCombo::hidePopup()
{
    QComboBox::hidePopup();
    if (!m_open)
        return;
    m_open = false;
    emit CloseUp();
}
