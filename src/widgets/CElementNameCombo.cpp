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

} // namespace

CElementNameCombo::CElementNameCombo(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Typed names are matched exactly; no completion.
    setCompleter(nullptr);
    view()->installEventFilter(this);
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
    OnDropDown();
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
    if (!Active() || index < 0)
        return;
    if (!m_binding.bind(GbkFromQString(itemText(index)))) {
        // Refused: the combo shows the bound name again.
        const int current = findText(QStringFromGbk(m_binding.boundName()));
        setCurrentIndex(current);
        if (current < 0)
            ShowBoundName();
        return;
    }
    emit NameChosen();
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
