#include "widgets/CommParamDlg.h"
#include "widgets/TabOrder.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The choice a group shows for a stored value: parity 0 none, 1 odd, any
// other even; data bits 7, any other 8; stop bits 1, any other 2.
int ShownParity(int parity)
{
    return parity == 0 || parity == 1 ? parity : 2;
}

int ShownDataBits(int dataBits)
{
    return dataBits == 7 ? 7 : 8;
}

int ShownStopBits(int stopBits)
{
    return stopBits == 1 ? 1 : 2;
}

int CheckedValue(const QButtonGroup* group)
{
    return group->checkedId() == -1 ? 0 : group->checkedId();
}

} // namespace

CCommParamDlg::CCommParamDlg(const PortParameterSet& shown, QWidget* parent)
    : QDialog(parent)
    , m_baud(new QButtonGroup(this))
    , m_parity(new QButtonGroup(this))
    , m_dataBits(new QButtonGroup(this))
    , m_stopBits(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("设置通信参数"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AddGroup(QStringLiteral("波特率"), QStringLiteral("baud"), m_baud,
        {{4800, "4800"}, {9600, "9600"}, {19200, "19200"}, {38400, "38400"}, {57600, "57600"}, {115200, "115200"}},
        shown.baud));
    layout->addWidget(AddGroup(QStringLiteral("校验位"), QStringLiteral("parity"), m_parity,
        {{0, QStringLiteral("无")}, {1, QStringLiteral("奇")}, {2, QStringLiteral("偶")}}, ShownParity(shown.parity)));
    layout->addWidget(AddGroup(QStringLiteral("数据位"), QStringLiteral("dataBits"), m_dataBits, {{7, "7"}, {8, "8"}},
        ShownDataBits(shown.dataBits)));
    layout->addWidget(AddGroup(QStringLiteral("停止位"), QStringLiteral("stopBits"), m_stopBits, {{1, "1"}, {2, "2"}},
        ShownStopBits(shown.stopBits)));
    m_values = ReadGroups();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCommParamDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCommParamDlg::reject);
    SetTabOrderByLayout(*this);
}

void CCommParamDlg::accept()
{
    m_values = ReadGroups();
    QDialog::accept();
}

PortParameterSet CCommParamDlg::ReadGroups() const
{
    return {CheckedValue(m_baud), CheckedValue(m_parity), CheckedValue(m_dataBits), CheckedValue(m_stopBits)};
}

// One radio group; its buttons are named "<name>_<value>".
QGroupBox* CCommParamDlg::AddGroup(const QString& title, const QString& name, QButtonGroup* group,
    const std::initializer_list<std::pair<int, QString>>& choices, int shown)
{
    auto* box = new QGroupBox(title, this);
    auto* row = new QHBoxLayout(box);
    for (const auto& [value, text] : choices) {
        auto* button = new QRadioButton(text, box);
        button->setObjectName(QStringLiteral("%1_%2").arg(name).arg(value));
        button->setChecked(value == shown);
        group->addButton(button, value);
        row->addWidget(button);
    }
    row->addStretch();
    return box;
}
