#include "settings/ui/CPanelSettingsDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "settings/PanelSettingsRules.h"
#include "widgets/CElementNameCombo.h"
#include "widgets/CSpinEdit.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"
#include "widgets/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

template <class Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// "对应  " and the register's name.
QString RegisterText(const std::string& element)
{
    return UiText(IdsCorrespondsTo) + QStringFromGbk(element);
}

} // namespace

CPanelSettingsDlg::CPanelSettingsDlg(CVX50TextDoc& doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
    , m_mainScreen(Named(new CSpinEdit(1, 65535, this), "mainScreen"))
    , m_saverIndex(Named(new QComboBox(this), "saverIndex"))
    , m_showSaverScreen(Named(new QCheckBox(QStringLiteral("显示画面:"), this), "showSaverScreen"))
    , m_saverScreen(Named(new CSpinEdit(1, 65535, this), "saverScreen"))
    , m_backlightOff(Named(new QCheckBox(QStringLiteral("关闭背景光"), this), "backlightOff"))
    , m_autoSwitch(Named(new QCheckBox(QStringLiteral("自动变换显示画面:"), this), "autoSwitch"))
    , m_autoDirection(new QLabel(QStringLiteral("(VX <- PLC)"), this))
    , m_controlRegister(Named(new QLabel(this), "controlRegister"))
    , m_clearAfterSwitch(Named(new QCheckBox(QStringLiteral("变换后清零"), this), "clearAfterSwitch"))
    , m_reportScreen(Named(new QCheckBox(QStringLiteral("报告当前画面号:"), this), "reportScreen"))
    , m_reportDirection(new QLabel(QStringLiteral("(VX -> PLC)"), this))
    , m_reportRegister(Named(new QLabel(this), "reportRegister"))
    , m_group(Named(new QComboBox(this), "group"))
    , m_element(Named(new CElementNameCombo(this), "element"))
    , m_portBox(new QGroupBox(QStringLiteral("通信口"), this))
    , m_rs485(Named(new QRadioButton(QStringLiteral("RS485"), m_portBox), "rs485"))
    , m_com1(Named(new QRadioButton(QStringLiteral("COM1"), m_portBox), "com1"))
    , m_station(Named(new CSpinEdit(1, 255, this), "station"))
    , m_encrypt(Named(new QCheckBox(QStringLiteral("加密工程"), this), "encrypt"))
    , m_commTime(Named(new CSpinEdit(10, 50, this), "commTime"))
    , m_timeout(Named(new CSpinEdit(100, 1000, this), "timeout"))
{
    setWindowTitle(QStringLiteral("设置VX系列"));
    m_saverIndex->addItems({QStringLiteral("无"), QStringLiteral("3分钟后"), QStringLiteral("5分钟后"),
        QStringLiteral("10分钟后"), QStringLiteral("15分钟后"), QStringLiteral("20分钟后"), QStringLiteral("30分钟后"),
        QStringLiteral("45分钟后"), QStringLiteral("一小时后")});
    m_group->setMinimumContentsLength(10);
    m_element->setMinimumContentsLength(10);

    auto* ports = new QHBoxLayout(m_portBox);
    ports->addWidget(m_rs485);
    ports->addWidget(m_com1);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("主控画面号:"), this), row, 0);
    grid->addWidget(m_mainScreen, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral("屏幕保护时间:"), this), row, 0);
    grid->addWidget(m_saverIndex, row, 1);
    grid->addWidget(m_showSaverScreen, row, 2);
    grid->addWidget(m_saverScreen, row, 3);
    grid->addWidget(m_backlightOff, row++, 4);
    grid->addWidget(m_autoSwitch, row, 0);
    grid->addWidget(m_autoDirection, row, 1);
    grid->addWidget(m_controlRegister, row, 2);
    grid->addWidget(m_clearAfterSwitch, row++, 3);
    grid->addWidget(m_reportScreen, row, 0);
    grid->addWidget(m_reportDirection, row, 1);
    grid->addWidget(m_reportRegister, row++, 2);
    grid->addWidget(new QLabel(QStringLiteral("元件组名:"), this), row, 0);
    grid->addWidget(m_group, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("元件名:"), this), row, 2);
    grid->addWidget(m_element, row++, 3);
    grid->addWidget(m_portBox, row, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("局号:"), this), row, 2);
    grid->addWidget(m_station, row++, 3);
    grid->addWidget(m_encrypt, row++, 0);
    grid->addWidget(new QLabel(QStringLiteral("通讯时间:"), this), row, 0);
    grid->addWidget(m_commTime, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("毫秒   (10-50         毫秒)"), this), row++, 2, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("超时时间:"), this), row, 0);
    grid->addWidget(m_timeout, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("毫秒   (100-1000   毫秒)"), this), row++, 2, 1, 2);

    QDialogButtonBox* buttons = OkCancelButtons(this, [this] { OnOK(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    OnInitDialog();

    connect(m_saverIndex, &QComboBox::activated, this, &CPanelSettingsDlg::OnSaverIndexChange);
    connect(m_showSaverScreen, &QCheckBox::clicked, this, &CPanelSettingsDlg::OnShowSaverScreen);
    connect(m_backlightOff, &QCheckBox::clicked, this, [this](bool on) { m_values.BacklightOffOnSaver = on; });
    connect(m_autoSwitch, &QCheckBox::clicked, this, &CPanelSettingsDlg::OnAutoSwitch);
    connect(m_reportScreen, &QCheckBox::clicked, this, &CPanelSettingsDlg::OnReportScreen);
    connect(m_clearAfterSwitch, &QCheckBox::clicked, this, [this](bool on) { m_values.ClearAfterSwitch = on; });
    connect(m_encrypt, &QCheckBox::clicked, this, [this](bool on) { m_values.EncryptProject = on; });
    connect(m_rs485, &QRadioButton::clicked, this, [this] { m_values.ControlPort = 0; });
    connect(m_com1, &QRadioButton::clicked, this, [this] { m_values.ControlPort = 1; });
    connect(m_group, &QComboBox::activated, this, &CPanelSettingsDlg::OnGroupChange);
    m_element->SetBinding({
        [] { return true; },
        [this] { return ElementNames(); },
        [this] { return m_values.ControlElementName; },
        [this](const std::string& name) { return OnElementChosen(name); },
    });
    connect(m_element, &CElementNameCombo::NameChosen, this, &CPanelSettingsDlg::ShowElementAlone);
    connect(m_mainScreen, &CSpinEdit::Edited, this,
            [this] { OnNumberEdited(m_mainScreen, m_values.MainScreen, false, false); });
    connect(m_saverScreen, &CSpinEdit::Edited, this,
            [this] { OnNumberEdited(m_saverScreen, m_values.SaverScreen, false, false); });
    connect(m_station, &CSpinEdit::Edited, this,
            [this] { OnNumberEdited(m_station, m_values.PanelStation, true, false); });
    connect(m_commTime, &CSpinEdit::Edited, this,
            [this] { OnNumberEdited(m_commTime, m_values.CommTime, false, true); });
    connect(m_timeout, &CSpinEdit::Edited, this,
            [this] { OnNumberEdited(m_timeout, m_values.Timeout, false, true); });
    SetTabOrderByLayout(*this);
}

void CPanelSettingsDlg::OnInitDialog()
{
    m_values = m_doc.Panel;
    // Without interaction the radio shows the device's default port.
    if (!m_values.AutoScreenSwitch && !m_values.ReportScreen)
        m_values.ControlPort = m_doc.DefaultPort;
    const ControlRegisterNames control = OpeningControlRegister(m_doc.AddressTable, m_values);
    m_values.ControlGroupName = control.group;
    m_values.ControlElementName = control.element;

    for (const std::string& group : GroupNamesOfType(m_doc.AddressTable, Word16ElementType))
        m_group->addItem(QStringFromGbk(group));
    m_group->setCurrentIndex(m_group->findText(QStringFromGbk(control.group)));
    ShowElementAlone();

    m_mainScreen->SetValue(m_values.MainScreen);
    m_saverScreen->SetValue(m_values.SaverScreen);
    m_station->SetValue(m_values.PanelStation);
    m_commTime->SetValue(m_values.CommTime);
    m_timeout->SetValue(m_values.Timeout);
    // A stored index without an entry (9) selects nothing and stays.
    m_saverIndex->setCurrentIndex(m_values.ScreenSaverIndex < kScreenSaverChoices ? m_values.ScreenSaverIndex : -1);
    m_showSaverScreen->setChecked(m_values.ShowSaverScreen);
    m_backlightOff->setChecked(m_values.BacklightOffOnSaver);
    m_autoSwitch->setChecked(m_values.AutoScreenSwitch);
    m_reportScreen->setChecked(m_values.ReportScreen);
    m_clearAfterSwitch->setChecked(m_values.ClearAfterSwitch);
    m_encrypt->setChecked(m_values.EncryptProject);
    m_rs485->setChecked(m_values.ControlPort == 0);
    m_com1->setChecked(m_values.ControlPort == 1);
    ShowRegisterTexts();
    EnableInteractionControls();
    EnableSaverControls();
}

std::vector<std::string> CPanelSettingsDlg::ElementNames() const
{
    return ControlElementNames(m_doc.AddressTable, m_values.ControlGroupName);
}

void CPanelSettingsDlg::ShowElementAlone()
{
    m_element->ShowNameAlone(m_values.ControlElementName);
}

void CPanelSettingsDlg::ShowRegisterTexts()
{
    const bool autoSwitch = m_values.AutoScreenSwitch;
    const bool report = m_values.ReportScreen;
    m_controlRegister->setText(autoSwitch ? RegisterText(m_values.ControlElementName) : QString());
    m_reportRegister->setText(report ? RegisterText(ReportRegisterName(m_doc.AddressTable,
                                            m_values.ControlGroupName, m_values.ControlElementName))
                                     : QString());
    m_autoDirection->setEnabled(autoSwitch);
    m_reportDirection->setEnabled(report);
    m_clearAfterSwitch->setEnabled(autoSwitch);
}

void CPanelSettingsDlg::EnableInteractionControls()
{
    const bool on = m_values.AutoScreenSwitch || m_values.ReportScreen;
    for (QWidget* control : {static_cast<QWidget*>(m_group), static_cast<QWidget*>(m_element),
                             static_cast<QWidget*>(m_portBox)})
        control->setEnabled(on);
    m_station->setEnabled(on && m_doc.UseProtocolLibrary == 1);
}

void CPanelSettingsDlg::EnableSaverControls()
{
    const bool saver = m_values.ScreenSaverIndex != kNoScreenSaver;
    m_showSaverScreen->setEnabled(saver);
    m_backlightOff->setEnabled(saver);
    m_saverScreen->setEnabled(saver && m_values.ShowSaverScreen);
}

void CPanelSettingsDlg::OnSaverIndexChange(int index)
{
    m_values.ScreenSaverIndex = index;
    if (index == kNoScreenSaver) {
        m_values.ShowSaverScreen = 0;
        m_values.BacklightOffOnSaver = 0;
        m_showSaverScreen->setChecked(false);
        m_backlightOff->setChecked(false);
    }
    EnableSaverControls();
}

void CPanelSettingsDlg::OnShowSaverScreen()
{
    m_values.ShowSaverScreen = m_showSaverScreen->isChecked();
    EnableSaverControls();
}

void CPanelSettingsDlg::OnAutoSwitch()
{
    // The device can pick the screen only through an element of the group.
    const bool on = m_autoSwitch->isChecked() && !ElementNames().empty();
    m_autoSwitch->setChecked(on);
    m_values.AutoScreenSwitch = on;
    if (!on) {
        m_values.ClearAfterSwitch = 0;
        m_clearAfterSwitch->setChecked(false);
    }
    ShowRegisterTexts();
    EnableInteractionControls();
}

void CPanelSettingsDlg::OnReportScreen()
{
    // The report register is the element after the control register.
    const bool on = m_reportScreen->isChecked()
        && !ReportRegisterName(m_doc.AddressTable, m_values.ControlGroupName, m_values.ControlElementName).empty();
    m_reportScreen->setChecked(on);
    m_values.ReportScreen = on;
    ShowRegisterTexts();
    EnableInteractionControls();
}

void CPanelSettingsDlg::OnGroupChange(int index)
{
    const std::string group = GbkFromQString(m_group->itemText(index));
    if (group != m_values.ControlGroupName) {
        m_values.ControlGroupName = group;
        const std::vector<std::string> names = ElementNames();
        // A group without elements names no register: nothing of the old
        // group's is kept for it.
        m_values.ControlElementName = names.empty() ? std::string() : names.front();
        ShowElementAlone();
        if (m_values.ReportScreen && names.size() < 2) {
            m_values.ReportScreen = 0;
            m_reportScreen->setChecked(false);
        }
    }
    ShowRegisterTexts();
    EnableInteractionControls();
}

bool CPanelSettingsDlg::OnElementChosen(const std::string& name)
{
    const std::vector<std::string> names = ElementNames();
    if (std::find(names.begin(), names.end(), name) == names.end())
        return false;
    m_values.ControlElementName = name;
    if (m_values.ReportScreen && names.back() == name) {
        m_values.ReportScreen = 0;
        m_reportScreen->setChecked(false);
    }
    ShowRegisterTexts();
    EnableInteractionControls();
    return true;
}

void CPanelSettingsDlg::OnNumberEdited(CSpinEdit* edit, int& field, bool station, bool timeField)
{
    std::optional<int> value = station ? edit->ReadValue(0, 255) : edit->ReadInteger();
    if (value && timeField && (*value < 0 || *value > 65535))
        value.reset();
    if (value)
        field = *value;
    else
        edit->SetValue(field);
}

CSpinEdit* CPanelSettingsDlg::FieldEdit(PanelSettingsField field) const
{
    switch (field) {
    case PanelSettingsField::CommTime: return m_commTime;
    case PanelSettingsField::Timeout: return m_timeout;
    case PanelSettingsField::SaverScreen: return m_saverScreen;
    case PanelSettingsField::MainScreen: return m_mainScreen;
    case PanelSettingsField::None: break;
    }
    return nullptr;
}

void CPanelSettingsDlg::OnOK()
{
    if (const PanelSettingsField field = RefusedPanelSetting(m_values); field != PanelSettingsField::None) {
        CurrentUi().ShowMessage(PanelSettingRefusalMessage(field), MbOk | MbIconWarning);
        // The refused value is the one to type again: its field takes the
        // focus with its text selected (a disabled field is left alone).
        CSpinEdit* refused = FieldEdit(field);
        if (refused && refused->isEnabled()) {
            refused->Edit()->setFocus(Qt::OtherFocusReason);
            refused->Edit()->selectAll();
        }
        return;
    }
    StoreDialogPanelSettings(m_values, m_doc.Panel);
    accept();
}
