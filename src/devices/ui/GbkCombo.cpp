#include "devices/ui/GbkCombo.h"

#include "base/GbkText.h"

#include <QComboBox>

void FillGbkCombo(QComboBox* combo, const std::vector<std::string>& texts, int selected)
{
    combo->clear();
    for (const std::string& text : texts)
        combo->addItem(QStringFromGbk(text));
    combo->setCurrentIndex(selected < static_cast<int>(texts.size()) ? selected : -1);
}

std::string GbkItemText(const QComboBox* combo, int index)
{
    return GbkFromQString(combo->itemText(index));
}
