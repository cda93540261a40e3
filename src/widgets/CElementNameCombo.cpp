#include "widgets/CElementNameCombo.h"

#include "base/GbkText.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <utility>

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

// Events on which the list's view picks its highlighted item: Qt closes the
// list and only then reports the item.
bool PicksItem(const QEvent& event)
{
    if (event.type() == QEvent::MouseButtonRelease)
        return true;
    if (event.type() != QEvent::ShortcutOverride)
        return false;
    const int key = static_cast<const QKeyEvent&>(event).key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

CElementNameCombo::CElementNameCombo(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Typed names are matched exactly; no completion.
    setCompleter(nullptr);
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, &CElementNameCombo::OnSelChange);
    connect(this, &QComboBox::highlighted, this, [this](int index) {
        if (m_open)
            m_rememberedName = GbkFromQString(itemText(index));
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, &CElementNameCombo::OnEditChange);
    connect(lineEdit(), &QLineEdit::editingFinished, this, &CElementNameCombo::OnEditFinished);
}

bool CElementNameCombo::eventFilter(QObject* watched, QEvent* event)
{
    // Seen before the list's own handling, which may close the list.
    if (watched == view() || watched == view()->viewport())
        m_pickInView = PicksItem(*event);
    if (watched == view() && event->type() == QEvent::KeyPress && TypesIntoEdit(*static_cast<QKeyEvent*>(event))) {
        QCoreApplication::sendEvent(lineEdit(), event);
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void CElementNameCombo::ShowNameAlone(const std::string& gbkName)
{
    clear();
    if (!gbkName.empty())
        addItem(QStringFromGbk(gbkName));
    setEditText(QStringFromGbk(gbkName));
    m_pendingName = false;
}

void CElementNameCombo::ShowBoundName()
{
    setEditText(QStringFromGbk(m_binding.boundName()));
}

void CElementNameCombo::showPopup()
{
    if (m_open)
        return;
    if (std::exchange(m_awaitingPick, false))
        EndCloseUp();
    OnDropDown();
    emit DropDown();
    m_open = true;
    QComboBox::showPopup();
}

void CElementNameCombo::hidePopup()
{
    const bool picking = std::exchange(m_pickInView, false);
    QComboBox::hidePopup();
    if (!m_open)
        return;
    m_open = false;
    if (!picking) {
        EndCloseUp();
        return;
    }
    // The picked item is still to come: refilling the combo now would lose
    // it. The close-up ends with the pick (OnSelChange), or by itself after
    // this event when Qt reports none.
    m_awaitingPick = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (std::exchange(m_awaitingPick, false))
                EndCloseUp();
        },
        Qt::QueuedConnection);
}

void CElementNameCombo::EndCloseUp()
{
    OnCloseUp();
    emit CloseUp();
}

void CElementNameCombo::OnDropDown()
{
    if (!Active())
        return;
    const std::vector<std::string> names = m_binding.names();
    const std::string bound = m_binding.boundName();
    clear();
    for (const std::string& name : names)
        addItem(QStringFromGbk(name));
    const auto current = std::find(names.begin(), names.end(), bound);
    setCurrentIndex(current == names.end() ? -1 : static_cast<int>(current - names.begin()));
    if (current == names.end())
        ShowBoundName();
}

void CElementNameCombo::OnSelChange(int index)
{
    // A pick in the list ends the close-up; it outweighs a typed name.
    const bool closing = std::exchange(m_awaitingPick, false);
    if (closing)
        m_pendingName = false;
    if (Active() && index >= 0) {
        const bool bound = m_binding.bind(GbkFromQString(itemText(index)));
        if (!bound) {
            // Refused: the combo shows the bound name again.
            const int current = findText(QStringFromGbk(m_binding.boundName()));
            setCurrentIndex(current);
            if (current < 0)
                ShowBoundName();
        }
        if (bound || closing)
            emit NameChosen();
    }
    if (closing)
        emit CloseUp();
}

void CElementNameCombo::OnEditChange(const QString& text)
{
    if (!Active())
        return;
    m_rememberedName = GbkFromQString(text);
    const std::vector<std::string> names = m_binding.names();
    const auto match = std::find(names.begin(), names.end(), m_rememberedName);
    if (match == names.end())
        return;
    const int caret = lineEdit()->cursorPosition();
    m_binding.bind(m_rememberedName);
    m_pendingName = true;
    if (!m_open)
        showPopup();
    const int row = static_cast<int>(match - names.begin());
    setCurrentIndex(row);
    view()->setCurrentIndex(model()->index(row, 0));
    lineEdit()->setCursorPosition(caret);
}

void CElementNameCombo::OnCloseUp()
{
    const int highlighted = view()->currentIndex().row();
    const bool pending = std::exchange(m_pendingName, false);
    if (!Active() || highlighted < 0)
        return;
    // A typed name is bound when the list closes on it; otherwise the edit
    // part shows the bound name again.
    if (pending
        && (m_rememberedName != GbkFromQString(itemText(highlighted)) || !m_binding.bind(m_rememberedName)))
        ShowBoundName();
    emit NameChosen();
}

void CElementNameCombo::OnEditFinished()
{
    if (Active() && GbkFromQString(currentText()) != m_binding.boundName())
        ShowBoundName();
}
