#include "devices/ui/CCopyRegEntryDlg.h"

#include "devices/AddressChoices.h"
#include "devices/ui/GbkCombo.h"
#include "model/CVX50TextDoc.h"
#include "model/CopyRegisterEdit.h"
#include "widgets/CElementNameCombo.h"
#include "widgets/CSpinEdit.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>

CCopyRegEntryDlg::CCopyRegEntryDlg(CVX50TextDoc& document, QWidget* parent)
    : QDialog(parent)
    , m_document(document)
    , m_station(new CSpinEdit(1, kMaxCopyStation, this))
    , m_rs485(new QRadioButton(QStringLiteral("RS485"), this))
    , m_com1(new QRadioButton(QStringLiteral("COM1"), this))
    , m_group(new QComboBox(this))
    , m_start(new CElementNameCombo(this))
{
    setWindowTitle(QStringLiteral("Dialog"));
    m_station->setObjectName(QStringLiteral("station"));
    m_rs485->setObjectName(QStringLiteral("rs485"));
    m_com1->setObjectName(QStringLiteral("com1"));
    m_group->setObjectName(QStringLiteral("elementGroup"));
    m_start->setObjectName(QStringLiteral("startElement"));
    for (QComboBox* combo : {m_group, static_cast<QComboBox*>(m_start)})
        combo->setMinimumContentsLength(12);

    auto* ports = new QGroupBox(QStringLiteral("通信口"), this);
    auto* portRow = new QHBoxLayout(ports);
    portRow->addWidget(m_rs485);
    portRow->addWidget(m_com1);
    m_rs485->setChecked(true);

    auto* buttons = OkCancelButtons(this, [this] { OnOK(); });

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("局号:"), m_station);
    form->addRow(ports);
    form->addRow(QStringLiteral("组名:"), m_group);
    form->addRow(QStringLiteral("起始元件名:"), m_start);
    form->addRow(buttons);

    const TypeChoice choice = ChooseElementType(m_document.AddressTable, Word16ElementType);
    FillGbkCombo(m_group, choice.groups);
    m_elementGroup = choice.names.group;
    m_startElement = choice.names.element;
    m_start->ShowNameAlone(m_startElement);
    m_station->SetValue(m_stationValue);

    m_start->SetBinding({
        [] { return true; },
        [this] { return GroupElementNames(m_document.AddressTable, Word16ElementType, m_elementGroup); },
        [this] { return m_startElement; },
        [this](const std::string& name) {
            m_startElement = name;
            return true;
        },
    });
    connect(m_start, &CElementNameCombo::NameChosen, this, [this] { m_document.ProjectModified = 1; });
    connect(m_station, &CSpinEdit::Edited, this, &CCopyRegEntryDlg::OnStationChange);
    connect(m_rs485, &QRadioButton::clicked, this, [this] { m_port = 0; });
    connect(m_com1, &QRadioButton::clicked, this, [this] { m_port = 1; });
    connect(m_group, &QComboBox::activated, this, &CCopyRegEntryDlg::OnGroupChange);
    SetTabOrderByLayout(*this);
}

void CCopyRegEntryDlg::OnStationChange()
{
    if (const std::optional<int> station = m_station->ReadValue(1, kMaxCopyStation))
        m_stationValue = *station;
    else
        m_station->SetValue(m_stationValue);
}

void CCopyRegEntryDlg::OnGroupChange(int index)
{
    if (index < 0)
        return;
    m_elementGroup = GbkItemText(m_group, index);
    m_startElement = FirstElementName(m_document.AddressTable, Word16ElementType, m_elementGroup);
    m_start->ShowNameAlone(m_startElement);
}

void CCopyRegEntryDlg::OnOK()
{
    if (!m_station->ReadValue(1, kMaxCopyStation))
        return;
    accept();
}
