#include "transfer/ui/PingSetDlg.h"

#include "model/UserInterface.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace {

constexpr int kMessageEnterHex = 61229; // "请输入16进制数!"

bool IsHexDigits(const QString& text)
{
    for (const QChar c : text) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')))
            return false;
    }
    return true;
}

} // namespace

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
}

void CPingSetDlg::accept()
{
    const QString text = m_address->text().toUpper();
    if (!IsHexDigits(text)) {
        CurrentUi().ShowMessage(kMessageEnterHex);
        return;
    }
    const int value = text.isEmpty() ? 0 : text.toInt(nullptr, 16);
    if (value > 0xFF)
        return;
    m_stationAddress = value;
    QDialog::accept();
}
