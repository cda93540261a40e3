#include "shell/ui/CScreenSettingsDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "model/ScreenCommands.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"
#include "widgets/UiText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

CScreenSettingsDlg::CScreenSettingsDlg(CVX50TextDoc& doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
    , m_number(doc.CurrentScreenNumber)
    , m_description(new QLineEdit(this))
    , m_up(new QSpinBox(this))
    , m_down(new QSpinBox(this))
    , m_rs485(new QRadioButton(QStringLiteral("RS485"), this))
    , m_com1(new QRadioButton(QStringLiteral("COM1"), this))
{
    setWindowTitle(UiText(IdsMenuScreenProperties));
    m_description->setObjectName(QStringLiteral("description"));
    m_up->setObjectName(QStringLiteral("upScreen"));
    m_down->setObjectName(QStringLiteral("downScreen"));
    for (QSpinBox* spin : {m_up, m_down}) {
        spin->setRange(1, kHighestScreenNumber);
        spin->setValue(1);
    }
    if (const ScreenRecord* screen = doc.FindScreenByNumber(m_number)) {
        m_description->setText(QStringFromGbk(screen->Description));
        m_up->setValue(screen->UpKeyScreen);
        m_down->setValue(screen->DownKeyScreen);
        m_port = screen->Port;
    }
    m_rs485->setChecked(m_port == 0);
    m_com1->setChecked(m_port == 1);

    auto* ports = new QGroupBox(QStringLiteral("选项"), this);
    auto* portLine = new QHBoxLayout(ports);
    portLine->addWidget(m_rs485);
    portLine->addWidget(m_com1);

    QDialogButtonBox* buttons = OkCancelButtons(this, [this] { OnOK(); });

    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(UiText(IdsScreenNumberLabel) + QString::number(m_number), this));
    form->addRow(QStringLiteral("画面描述 :"), m_description);
    form->addRow(QStringLiteral("按上键至画面:"), m_up);
    form->addRow(QStringLiteral("按下键至画面:"), m_down);
    form->addRow(ports);
    form->addRow(buttons);
    SetTabOrderByLayout(*this);
}

void CScreenSettingsDlg::OnOK()
{
    ScreenSettings settings;
    settings.upKeyScreen = m_up->value();
    settings.downKeyScreen = m_down->value();
    settings.port = m_rs485->isChecked() ? 0 : m_com1->isChecked() ? 1 : m_port;
    settings.description = GbkFromQString(m_description->text());
    if (ApplyScreenSettings(m_doc, m_number, settings) != ScreenRefusal::None) {
        CurrentUi().ShowMessage(IdsDescriptionTooLong, MbOk);
        return;
    }
    accept();
}
