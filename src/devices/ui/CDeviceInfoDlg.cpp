#include "devices/ui/CDeviceInfoDlg.h"

#include "base/GbkText.h"
#include "devices/DeviceFolders.h"
#include "devices/ProtocolLibraryName.h"
#include "model/CVX50TextDoc.h"
#include "model/NewDevice.h"
#include "widgets/CGbkLimitValidator.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr std::string_view kLibraryEnd = ".dll";

} // namespace

CDeviceInfoDlg::CDeviceInfoDlg(CVX50TextDoc& document, QWidget* parent)
    : QDialog(parent)
    , m_document(document)
    , m_name(new QLineEdit(this))
    , m_protocols(new QComboBox(this))
    , m_bufferLength(new QSpinBox(this))
    , m_wordOrder(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("设备信息"));
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setValidator(new CGbkLimitValidator(MaxNameBytes, m_name));
    m_protocols->setObjectName(QStringLiteral("protocol"));
    FillProtocols();
    m_bufferLength->setObjectName(QStringLiteral("bufferLength"));
    m_bufferLength->setRange(0, 65535);
    m_bufferLength->setValue(30);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("设备名:"), m_name);
    form->addRow(QStringLiteral("协议选择:"), m_protocols);
    auto* buffer = new QHBoxLayout;
    buffer->addWidget(m_bufferLength);
    buffer->addWidget(new QLabel(QStringLiteral("Byte"), this));
    form->addRow(QStringLiteral("最大通讯缓存长度:"), buffer);

    auto* order = new QGroupBox(QStringLiteral("32位寄存器显示格式"), this);
    auto* orderRow = new QHBoxLayout(order);
    const std::pair<int, QString> orders[] = {{0, QStringLiteral("低16位在前")}, {1, QStringLiteral("高16位在前")}};
    for (const auto& [value, text] : orders) {
        auto* radio = new QRadioButton(text, order);
        radio->setObjectName(QStringLiteral("wordOrder_%1").arg(value));
        radio->setChecked(value == 0);
        m_wordOrder->addButton(radio, value);
        orderRow->addWidget(radio);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(order);
    layout->addWidget(OkCancelButtons(this, [this] { OnOK(); }));
    SetTabOrderByLayout(*this);
}

void CDeviceInfoDlg::FillProtocols()
{
    for (const std::string& stored : OfferedProtocolNames(InstalledProtocolNames())) {
        const std::string_view name = std::string_view(stored).ends_with(kLibraryEnd)
            ? std::string_view(stored).substr(0, stored.size() - kLibraryEnd.size())
            : std::string_view(stored);
        m_protocols->addItem(QStringFromGbk(name));
        if (stored == m_document.ProtocolLibraryName)
            m_protocols->setCurrentIndex(m_protocols->count() - 1);
    }
}

void CDeviceInfoDlg::OnOK()
{
    const NewDeviceEntry entry{GbkFromQString(m_name->text()), GbkFromQString(m_protocols->currentText()),
                               m_bufferLength->value(), m_wordOrder->checkedId()};
    if (CreateNewDevice(m_document, entry) == 0)
        accept();
}
