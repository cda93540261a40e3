#include "pages/ui/PasswordFields.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "pages/UserLevels.h"

#include <QCheckBox>
#include <QComboBox>

void FillUserLevels(QComboBox* list, int highestLevel)
{
    list->clear();
    for (const std::string& name : UserLevelNames(highestLevel))
        list->addItem(QStringFromGbk(name));
}

void ShowUserLevel(QComboBox* list, int level)
{
    list->setCurrentIndex(level < list->count() ? level : -1);
}

bool PasswordsDefined(const CVX50TextDoc& document, QCheckBox* box)
{
    if (!document.PasswordTable.empty())
        return true;
    CurrentUi().ShowMessage(IdsSetPasswordFirst);
    box->setChecked(false);
    return false;
}
