#include "widgets/OkCancelButtons.h"

#include <QDialog>
#include <QDialogButtonBox>

QDialogButtonBox* OkCancelButtons(QDialog* dialog, std::function<void()> onOk, std::function<void()> onCancel)
{
    auto* buttons = new QDialogButtonBox(dialog);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, std::move(onOk));
    if (onCancel)
        QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, std::move(onCancel));
    else
        QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
