#include "devices/ui/CDeviceSelectDlg.h"

#include "base/GbkText.h"
#include "devices/DeviceFolders.h"
#include "devices/ui/CAddressTableDlg.h"
#include "devices/ui/CDeviceInfoDlg.h"
#include "model/CVX50TextDoc.h"
#include "widgets/CommParamDlg.h"
#include "widgets/ModalDialog.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The device last chosen in this run; the next dialog starts on it.
int SelectedDevice = -1;

const char* const FallbackDevice = "PN07";

PortParameterSet ParameterSet(const PortSettings& port)
{
    return {port.baud, port.parity, port.dataBits, port.stopBits};
}

} // namespace

CDeviceSelectDlg::CDeviceSelectDlg(CVX50TextDoc& document, bool editing, QWidget* parent)
    : QDialog(parent)
    , m_document(document)
    , m_editing(editing)
    , m_nameAtOpen(document.DeviceName)
    , m_stateAtOpen(CaptureDeviceState(document))
    , m_pending{document.DeviceName, document.Rs485Port, document.Com1Port, document.DefaultPort,
                document.DefaultStation}
    , m_devices(new QComboBox(this))
    , m_defaultPort(new QButtonGroup(this))
    , m_station(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("新建与选择设备"));
    m_devices->setObjectName(QStringLiteral("device"));
    ListDevices();
    auto* newDevice = new QPushButton(QStringLiteral("新建设备. . ."), this);
    newDevice->setObjectName(QStringLiteral("newDevice"));
    connect(newDevice, &QPushButton::clicked, this, &CDeviceSelectDlg::OnNewDevice);
    auto* deviceRow = new QHBoxLayout;
    deviceRow->addWidget(m_devices, 1);
    deviceRow->addWidget(newDevice);

    auto* ports = new QGroupBox(QStringLiteral("通信参数"), this);
    auto* portForm = new QFormLayout(ports);
    const std::pair<QString, void (CDeviceSelectDlg::*)()> setButtons[] = {
        {QStringLiteral("rs485Params"), &CDeviceSelectDlg::OnRs485Params},
        {QStringLiteral("com1Params"), &CDeviceSelectDlg::OnCom1Params},
    };
    for (const auto& [name, handler] : setButtons) {
        auto* button = new QPushButton(QStringLiteral("设置. . ."), ports);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, handler);
        portForm->addRow(name == QStringLiteral("rs485Params") ? QStringLiteral("RS485:") : QStringLiteral("COM1:"),
                         button);
    }
    auto* portRow = new QHBoxLayout;
    const std::pair<int, QString> portChoices[] = {{0, QStringLiteral("RS485")}, {1, QStringLiteral("COM1")}};
    for (const auto& [value, text] : portChoices) {
        auto* radio = new QRadioButton(text, ports);
        radio->setObjectName(QStringLiteral("defaultPort_%1").arg(value));
        radio->setChecked(value == m_pending.defaultPort);
        m_defaultPort->addButton(radio, value);
        portRow->addWidget(radio);
    }
    connect(m_defaultPort, &QButtonGroup::idClicked, this, [this](int port) { m_pending.defaultPort = port; });
    portForm->addRow(QStringLiteral("默认端口:"), portRow);

    m_station->setObjectName(QStringLiteral("station"));
    m_station->setRange(1, 255);
    m_station->setValue(m_pending.defaultStation);
    auto* stationRow = new QHBoxLayout;
    stationRow->addWidget(m_station);
    stationRow->addWidget(new QLabel(QStringLiteral("1-255"), this));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("设备:"), deviceRow);
    form->addRow(QStringLiteral("默认站号:"), stationRow);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ports);
    layout->addWidget(OkCancelButtons(this, [this] { OnOK(); }, [this] { OnCancel(); }));
    SetTabOrderByLayout(*this);
}

void CDeviceSelectDlg::ListDevices()
{
    m_document.DeviceNames = ListDeviceNames();
    for (const std::string& name : m_document.DeviceNames)
        m_devices->addItem(QStringFromGbk(name));
    if (SelectedDevice >= 0 && SelectedDevice < m_devices->count())
        m_devices->setCurrentIndex(SelectedDevice);
    const std::string wanted = m_document.DeviceName.empty() ? FallbackDevice : m_document.DeviceName;
    const int found = m_devices->findText(QStringFromGbk(wanted), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found >= 0)
        m_devices->setCurrentIndex(found);
}

void CDeviceSelectDlg::EditPortSet(PortSettings& set)
{
    CCommParamDlg dialog(ParameterSet(set), this);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return;
    const PortParameterSet chosen = dialog.Values();
    set = {chosen.baud, chosen.parity, chosen.dataBits, chosen.stopBits};
}

void CDeviceSelectDlg::OnRs485Params()
{
    EditPortSet(m_pending.rs485);
}

void CDeviceSelectDlg::OnCom1Params()
{
    EditPortSet(m_pending.com1);
}

void CDeviceSelectDlg::OnNewDevice()
{
    // Until the new device's editor closes, its Save must not rebind the
    // project to a table that is still being made. The editor's OK and
    // Cancel end the flag; a device that is not made ends it here.
    m_document.DeviceChange = 1;
    CDeviceInfoDlg info(m_document, this);
    if (RunModalDialog(info) != QDialog::Accepted) {
        m_document.DeviceChange = 0;
        return;
    }
    m_devices->addItem(QStringFromGbk(m_document.DeviceName));
    m_devices->setCurrentIndex(m_devices->count() - 1);
    RunAddressTableEditor(m_document, this);
}

void CDeviceSelectDlg::OnOK()
{
    SelectedDevice = m_devices->currentIndex();
    m_pending.name = GbkFromQString(m_devices->currentText());
    m_pending.defaultStation = m_station->value();
    if (ApplyDeviceChoice(m_document, m_pending, m_nameAtOpen, m_editing))
        accept();
}

void CDeviceSelectDlg::OnCancel()
{
    RestoreDeviceState(m_document, m_stateAtOpen);
    QDialog::reject();
}

void CDeviceSelectDlg::reject()
{
    OnCancel();
}
