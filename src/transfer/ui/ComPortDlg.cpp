#include "transfer/ui/ComPortDlg.h"

#include "transfer/ComPortNumber.h"
#include "widgets/TabOrder.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSettings>

CComPortDlg::CComPortDlg(QWidget* parent)
    : QDialog(parent)
    , m_ports(new QComboBox(this))
    , m_device(new QComboBox(this))
    , m_systemPorts(SystemSerialPorts())
{
    setWindowTitle(QStringLiteral("选择通信口"));
    QSettings settings;
    m_map = ComPortMap::Load(settings);

    m_ports->setObjectName(QStringLiteral("ports"));
    for (int number = 1; number <= kMaxComPortNumber; ++number)
        m_ports->addItem(QStringLiteral("COM%1").arg(number));
    m_ports->setCurrentIndex(ComPortNumber() - 1);

    m_device->setObjectName(QStringLiteral("device"));
    m_device->setEditable(true);
    m_device->addItems(m_systemPorts);
    m_device->setMinimumContentsLength(24);
    ShowDevice();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("通信口:"), m_ports);
    layout->addRow(QStringLiteral("设备:"), m_device);
    layout->addRow(buttons);

    connect(m_ports, &QComboBox::currentIndexChanged, this, &CComPortDlg::OnPortChosen);
    connect(m_device, &QComboBox::editTextChanged, this,
        [this](const QString& path) { m_map.SetDevice(m_ports->currentIndex() + 1, path); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CComPortDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CComPortDlg::reject);
    SetTabOrderByLayout(*this);
}

void CComPortDlg::accept()
{
    QSettings settings;
    m_map.Save(settings);
    QDialog::accept();
}

void CComPortDlg::OnPortChosen(int index)
{
    SetComPortNumber(index + 1);
    ShowDevice();
}

// Shows the device chosen for the current number; when none is chosen the
// field is empty and its hint names the device the number falls back to.
void CComPortDlg::ShowDevice()
{
    const int number = m_ports->currentIndex() + 1;
    const QString chosen = m_map.Device(number);
    const QString fallback = ResolveComDevice(number, ComPortMap(), m_systemPorts);
    QSignalBlocker blocker(m_device);
    m_device->setEditText(chosen);
    m_device->lineEdit()->setPlaceholderText(fallback.isEmpty() ? QStringLiteral("(无)") : fallback);
}
