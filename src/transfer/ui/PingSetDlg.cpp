#include "transfer/ui/PingSetDlg.h"

#include "StringIds.h"
#include "base/NumberText.h"
#include "base/UserInterface.h"
#include "widgets/TabOrder.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

CPingSetDlg::CPingSetDlg(QWidget* parent)
    : QDialog(parent)
    , m_address(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Ping Set"));
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setMaxLength(4);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Address:"), m_address);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPingSetDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPingSetDlg::reject);
    SetTabOrderByLayout(*this);
}

void CPingSetDlg::accept()
{
    // At most four characters: a valid text never reaches the -1 of a bad one.
    const int value = ParseHexText(m_address->text().toStdString());
    if (value < 0) {
        CurrentUi().ShowMessage(IdsEnterHex);
        return;
    }
    if (value > 0xFF)
        return;
    m_stationAddress = value;
    QDialog::accept();
}
