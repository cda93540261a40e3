#include "shell/ui/CNewScreenDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "model/ScreenCommands.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/ScreenEditRefresh.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"
#include "widgets/UiText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

CNewScreenDlg::CNewScreenDlg(CMainFrame& frame, bool insertMode)
    : QDialog(&frame)
    , m_frame(frame)
    , m_insertMode(insertMode)
    , m_number(ProposedNewScreenNumber(frame.GetDocument()))
    , m_numberEdit(new QSpinBox(this))
    , m_description(new QLineEdit(this))
{
    setWindowTitle(insertMode ? UiText(IdsMenuInsertScreen) : UiText(IdsMenuNewScreen));
    m_numberEdit->setObjectName(QStringLiteral("number"));
    m_numberEdit->setRange(1, kHighestScreenNumber);
    m_numberEdit->setValue(m_number);
    m_description->setObjectName(QStringLiteral("description"));
    m_description->setText(QStringFromGbk(frame.GetDocument().DefaultScreenDescription(m_number)));

    QDialogButtonBox* buttons = OkCancelButtons(this, [this] { OnOK(); });
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("画面号："), m_numberEdit);
    form->addRow(QStringLiteral("画面描述："), m_description);
    form->addRow(buttons);

    connect(m_numberEdit, &QSpinBox::valueChanged, this, &CNewScreenDlg::OnNumberChange);
    SetTabOrderByLayout(*this);
}

void CNewScreenDlg::OnNumberChange(int number)
{
    const std::string description = GbkFromQString(m_description->text());
    const std::string followed = FollowDefaultDescription(m_frame.GetDocument(), description, m_number, number);
    if (followed != description)
        m_description->setText(QStringFromGbk(followed));
    m_number = number;
}

void CNewScreenDlg::OnOK()
{
    CVX50TextDoc& doc = m_frame.GetDocument();
    const int number = m_numberEdit->value();
    const std::string description = GbkFromQString(m_description->text());
    switch (CheckNewScreen(doc, number, description, m_insertMode)) {
    case ScreenRefusal::None:
        break;
    case ScreenRefusal::NumberInUse:
        CurrentUi().ShowMessageText(std::to_string(number) + StringGbk(IdsScreenNumberExists), MbOk);
        return;
    case ScreenRefusal::NoRoomAbove:
        // The highest screen of the run would have to leave the number range.
        CurrentUi().ShowMessageText(std::to_string(kHighestScreenNumber) + StringGbk(IdsScreenNumberExists), MbOk);
        return;
    case ScreenRefusal::DescriptionTooLong:
        CurrentUi().ShowMessage(IdsDescriptionTooLong, MbOk);
        return;
    }
    CreateScreen(doc, number, description, m_insertMode);
    ShowEditedScreenAfterEdit(m_frame);
    accept();
}
