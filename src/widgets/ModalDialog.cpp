#include "widgets/ModalDialog.h"

#include "base/UserInterface.h"

#include <QDialog>

int RunModalDialog(QDialog& dialog)
{
    if (auto* runner = dynamic_cast<ModalDialogRunner*>(&CurrentUi()))
        return runner->RunDialog(dialog);
    return dialog.exec();
}
