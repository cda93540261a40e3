#include "devices/ui/CNewGroupDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "widgets/CSpinEdit.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"
#include "widgets/UiText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// The type combo's items, in order, and the types they stand for.
constexpr std::array<int, 3> kTypeTexts = {IdsBitElementType, IdsWord16ElementType, IdsWord32ElementType};
constexpr std::array<int, 3> kTypes = {BitElementType, Word16ElementType, Word32ElementType};

} // namespace

CNewGroupDlg::CNewGroupDlg(AddressTable groups, QWidget* parent)
    : QDialog(parent)
    , m_groups(std::move(groups))
    , m_typeCombo(new QComboBox(this))
    , m_nameEdit(new QLineEdit(this))
    , m_answers(new QButtonGroup(this))
    , m_answerPairs(new QStackedWidget(this))
    , m_writesSingle(new QCheckBox(QStringLiteral("支持写单个寄存器通讯命令(功能码:06H)"), this))
    , m_interval(new CSpinEdit(1, 2, this))
    , m_intervalLabel(new QLabel(QStringLiteral("间隔:"), this))
    , m_note(new QLabel(this))
{
    setWindowTitle(QStringLiteral("新建元件组"));
    m_typeCombo->setObjectName(QStringLiteral("type"));
    for (int id : kTypeTexts)
        m_typeCombo->addItem(UiText(id));
    m_nameEdit->setObjectName(QStringLiteral("name"));
    m_nameEdit->setMaxLength(static_cast<int>(kMaxGroupNameBytes));
    m_writesSingle->setObjectName(QStringLiteral("writesSingle"));
    m_interval->setObjectName(QStringLiteral("interval"));
    m_interval->SetValue(m_intervalValue);
    m_note->setWordWrap(true);

    // Bit and 32-bit groups answer with the first pair, 16-bit groups with
    // the second; the pairs share one place.
    const std::array<QString, 4> answerTexts = {
        QStringLiteral("是(有读写线圈的通讯命令)"), QStringLiteral("否(无读写线圈的通讯命令)"),
        QStringLiteral("是(支持写单个寄存器通讯命令(功能码:06H))"),
        QStringLiteral("否(不支持写单个寄存器通讯命令(功能码:10H))")};
    for (int pair = 0; pair < 2; ++pair) {
        auto* page = new QWidget(m_answerPairs);
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        for (int answer = pair * 2; answer < pair * 2 + 2; ++answer) {
            auto* button = new QRadioButton(answerTexts[answer], page);
            button->setObjectName(QStringLiteral("answer%1").arg(answer));
            m_answers->addButton(button, answer);
            m_answerButtons[answer] = button;
            pageLayout->addWidget(button);
        }
        m_answerPairs->addWidget(page);
    }
    m_answerButtons[HasCoilCommands]->setChecked(true);

    auto* answerBox = new QGroupBox(QStringLiteral("是否有读写线圈的通讯命令"), this);
    auto* answerLayout = new QVBoxLayout(answerBox);
    answerLayout->addWidget(m_answerPairs);
    answerLayout->addWidget(m_writesSingle);
    answerLayout->addWidget(m_note);

    auto* intervalBox = new QGroupBox(QStringLiteral("32位寄存器地址间隔"), this);
    auto* intervalLayout = new QHBoxLayout(intervalBox);
    intervalLayout->addWidget(m_intervalLabel);
    intervalLayout->addWidget(m_interval);
    intervalLayout->addStretch();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("元件属性:"), m_typeCombo);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(m_nameEdit);
    nameRow->addWidget(new QLabel(QStringLiteral("0-9、英文字母及符号"), this));
    form->addRow(QStringLiteral("元件组名:"), nameRow);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(answerBox);
    layout->addWidget(intervalBox);
    layout->addWidget(OkCancelButtons(this, [this] { OnOK(); }));

    connect(m_typeCombo, &QComboBox::activated, this, &CNewGroupDlg::OnElementTypeChange);
    connect(m_interval, &CSpinEdit::Edited, this, &CNewGroupDlg::OnIntervalChange);
    OnElementTypeChange(0);
    SetTabOrderByLayout(*this);
}

void CNewGroupDlg::OnElementTypeChange(int item)
{
    const int type = kTypes.at(static_cast<std::size_t>(item));
    const bool word16 = type == Word16ElementType;
    const bool word32 = type == Word32ElementType;
    m_answerPairs->setCurrentIndex(word16 ? 1 : 0);
    m_answerPairs->setEnabled(!word32);
    m_writesSingle->setVisible(!word16);
    m_writesSingle->setEnabled(type == BitElementType);
    m_interval->setEnabled(word32);
    m_intervalLabel->setEnabled(word32);
    ShowNote(word16 ? IdsNewGroupNote16 : IdsNewGroupNoteBitOr32);
    m_answerButtons[word16 ? WritesMultipleRegisters : HasCoilCommands]->setChecked(true);
}

void CNewGroupDlg::OnIntervalChange()
{
    if (const std::optional<int> interval = m_interval->ReadValue(1, 2))
        m_intervalValue = *interval;
    else
        m_interval->SetValue(m_intervalValue);
}

// The notes' texts come only with a resource file; without one there is
// no note.
void CNewGroupDlg::ShowNote(int stringId)
{
    const QString text = UiText(stringId);
    m_note->setText(text);
    m_note->setVisible(!text.isEmpty());
}

GroupAccess CNewGroupDlg::Access() const
{
    return NewGroupAccess(m_type, m_answers->checkedId(), m_writesSingle->isChecked(), m_intervalValue);
}

void CNewGroupDlg::OnOK()
{
    const std::string name = GbkFromQString(m_nameEdit->text());
    if (const int refusal = NewGroupRefusal(name, m_groups)) {
        CurrentUi().ShowMessage(refusal, MbOk);
        return;
    }
    m_name = name;
    m_type = kTypes.at(static_cast<std::size_t>(m_typeCombo->currentIndex()));
    accept();
}
