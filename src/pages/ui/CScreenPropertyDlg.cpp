#include "pages/ui/CScreenPropertyDlg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

CScreenPropertyDlg::CScreenPropertyDlg(QWidget* parent)
    : CPropertyDlg(parent)
    , m_number(new QLabel(this))
    , m_description(new QLineEdit(this))
    , m_up(new QSpinBox(this))
    , m_down(new QSpinBox(this))
    , m_rs485(new QRadioButton(QStringLiteral("RS485"), this))
    , m_com1(new QRadioButton(QStringLiteral("COM1"), this))
{
    m_up->setRange(1, 65535);
    m_down->setRange(1, 65535);
    auto* ports = new QHBoxLayout;
    ports->addWidget(m_rs485);
    ports->addWidget(m_com1);
    ports->addStretch();
    auto* form = new QFormLayout(this);
    form->addRow(m_number);
    form->addRow(m_description);
    form->addRow(QStringLiteral("Up"), m_up);
    form->addRow(QStringLiteral("Down"), m_down);
    form->addRow(ports);
}

void CScreenPropertyDlg::LoadControls()
{
    m_number->setText(NumberText);
    m_description->setText(Description);
    m_up->setValue(UpScreen);
    m_down->setValue(DownScreen);
    m_rs485->setChecked(Port == 0);
    m_com1->setChecked(Port == 1);
}
