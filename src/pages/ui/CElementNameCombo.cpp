#include "pages/ui/CElementNameCombo.h"

#include <QLineEdit>

CElementNameCombo::CElementNameCombo(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Typed names are matched by the page, exactly; no completion.
    setCompleter(nullptr);
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
