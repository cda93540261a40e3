#include "pages/ui/CScreenPropertyDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "model/CVX50TextDoc.h"
#include "widgets/CGbkLimitValidator.h"
#include "widgets/CSpinEdit.h"
#include "widgets/TabOrder.h"
#include "widgets/UiText.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int DescriptionBytes = 20;
constexpr int MaxScreenNumber = 65535;

} // namespace

CScreenPropertyDlg::CScreenPropertyDlg(CVX50TextDoc& document, QWidget* parent)
    : CPropertyDlg(document, parent)
    , m_numberLabel(new QLabel(this))
    , m_description(new QLineEdit(this))
    , m_up(new CSpinEdit(1, MaxScreenNumber, this))
    , m_down(new CSpinEdit(1, MaxScreenNumber, this))
    , m_rs485(new QRadioButton(QStringLiteral("RS485"), this))
    , m_com1(new QRadioButton(QStringLiteral("COM1"), this))
{
    m_description->setValidator(new CGbkLimitValidator(DescriptionBytes, this));
    m_description->setMinimumWidth(180);
    m_up->SetValue(1);
    m_down->SetValue(1);
    // Until a screen is shown no port is checked; the buttons exclude each
    // other through the page.
    m_rs485->setAutoExclusive(false);
    m_com1->setAutoExclusive(false);

    QHBoxLayout* frame = CreateFrame(QStringLiteral("画面属性"));
    auto* fields = new QFormLayout;
    fields->addRow(m_numberLabel);
    fields->addRow(QStringLiteral("画面描述:"), m_description);
    fields->addRow(QStringLiteral("按上键至画面:"), m_up);
    fields->addRow(QStringLiteral("按下键至画面:"), m_down);
    frame->addLayout(fields);
    auto* ports = new QGroupBox(QStringLiteral("通信口"), this);
    auto* portColumn = new QVBoxLayout(ports);
    portColumn->addWidget(m_rs485);
    portColumn->addWidget(m_com1);
    frame->addWidget(ports, 0, Qt::AlignTop);

    connect(m_description, &QLineEdit::textEdited, this, &CScreenPropertyDlg::OnDescriptionChange);
    connect(m_up, &CSpinEdit::Edited, this, [this] { OnKeyScreenChange(m_up, &ScreenRecord::UpKeyScreen); });
    connect(m_down, &CSpinEdit::Edited, this, [this] { OnKeyScreenChange(m_down, &ScreenRecord::DownKeyScreen); });
    connect(m_rs485, &QRadioButton::clicked, this, [this] { OnPortClick(0); });
    connect(m_com1, &QRadioButton::clicked, this, [this] { OnPortClick(1); });
    SetTabOrderByLayout(*this);
}

void CScreenPropertyDlg::Fill(const ScreenRecord& screen)
{
    m_number = screen.Number;
    m_numberLabel->setText(UiText(IdsScreenNumberLabel) + QString::number(screen.Number));
    m_description->setText(QStringFromGbk(screen.Description));
    m_up->SetValue(screen.UpKeyScreen);
    m_down->SetValue(screen.DownKeyScreen);
    ShowPort(screen.Port);
}

QString CScreenPropertyDlg::NumberText() const
{
    return m_numberLabel->text();
}

QString CScreenPropertyDlg::Description() const
{
    return m_description->text();
}

int CScreenPropertyDlg::UpScreen() const
{
    return m_up->Value().value_or(0);
}

int CScreenPropertyDlg::DownScreen() const
{
    return m_down->Value().value_or(0);
}

int CScreenPropertyDlg::Port() const
{
    return m_rs485->isChecked() ? 0 : m_com1->isChecked() ? 1 : -1;
}

ScreenRecord* CScreenPropertyDlg::Screen() const
{
    return Document().FindScreenByNumber(m_number);
}

void CScreenPropertyDlg::ShowPort(int port)
{
    m_rs485->setChecked(port == 0);
    m_com1->setChecked(port == 1);
}

void CScreenPropertyDlg::OnDescriptionChange()
{
    ScreenRecord* screen = Screen();
    if (!screen)
        return;
    screen->Description = GbkFromQString(m_description->text());
    Commit(MarkModified);
    emit DescriptionChanged(screen->Number);
    Commit(Snapshot);
}

void CScreenPropertyDlg::OnKeyScreenChange(CSpinEdit* field, int ScreenRecord::*link)
{
    ScreenRecord* screen = Screen();
    if (!screen)
        return;
    const std::optional<int> number = field->ReadValue(1, MaxScreenNumber);
    if (!number) {
        field->SetValue(screen->*link);
        return;
    }
    screen->*link = *number;
    Commit(MarkModified | Snapshot);
}

void CScreenPropertyDlg::OnPortClick(int port)
{
    ScreenRecord* screen = Screen();
    ShowPort(screen ? port : -1);
    if (!screen || screen->Port == port)
        return;
    screen->Port = port;
    Commit(MarkModified | Snapshot);
}
