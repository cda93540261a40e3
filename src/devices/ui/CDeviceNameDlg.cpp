#include "devices/ui/CDeviceNameDlg.h"

#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "devices/AddressFileText.h"
#include "devices/DeviceNameRules.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

CDeviceNameDlg::CDeviceNameDlg(const std::string& deviceName, std::vector<std::string> deviceNames,
                               QWidget* parent)
    : QDialog(parent)
    , m_deviceNames(std::move(deviceNames))
    , m_nameEdit(new QLineEdit(QStringFromGbk(deviceName), this))
{
    m_nameEdit->setObjectName(QStringLiteral("name"));
    auto* box = new QGroupBox(QStringLiteral("请输入设备名称"), this);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(m_nameEdit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(OkCancelButtons(this, [this] { OnOK(); }));
    SetTabOrderByLayout(*this);
}

void CDeviceNameDlg::OnOK()
{
    const std::string name(Trim(GbkFromQString(m_nameEdit->text())));
    if (const int refusal = DeviceNameRefusal(name, m_deviceNames)) {
        CurrentUi().ShowMessage(refusal, MbOk);
        return;
    }
    m_name = name;
    accept();
}
