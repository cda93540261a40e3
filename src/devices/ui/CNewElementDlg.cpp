#include "devices/ui/CNewElementDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/NumberText.h"
#include "base/UserInterface.h"
#include "widgets/CSpinEdit.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"
#include "widgets/UiText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr std::size_t kNameBytes = 10;
constexpr int kAddressCharacters = 6;
constexpr int kHighestPosition = 65535;
constexpr int kHighestWord = 0xFFFF;
// The interval's arrows run to 8; a larger interval may be typed.
constexpr int kHighestIntervalStep = 8;
// Typed, the interval may go past the arrows, up to one step over the whole
// 16-bit address space.
constexpr int kLongestInterval = 65535;

// A start address as it may be typed: hexadecimal digits and points, the
// word part at most FFFF.
bool IsTypableAddress(const std::string& text)
{
    if (text.find_first_not_of("0123456789ABCDEF.") != std::string::npos)
        return false;
    return ParseHexText(text.substr(0, text.find('.'))) <= kHighestWord;
}

QGroupBox* Boxed(const QString& title, QWidget* content, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(content);
    return box;
}

} // namespace

CNewElementDlg::CNewElementDlg(AddressTable groups, int currentGroup, QWidget* parent)
    : QDialog(parent)
    , m_groups(std::move(groups))
    , m_groupCombo(new QComboBox(this))
    , m_batch(new QCheckBox(QStringLiteral("批量新建"), this))
    , m_nameNote(new QLabel(this))
    , m_nameEdit(new QLineEdit(this))
    , m_addressEdit(new QLineEdit(this))
    , m_positionEdit(new CSpinEdit(0, kHighestPosition, this))
    , m_batchBox(new QGroupBox(QStringLiteral("批量新建设置:"), this))
    , m_bases(new QButtonGroup(this))
    , m_intervalEdit(new CSpinEdit(1, kHighestIntervalStep, this))
    , m_countEdit(new QLineEdit(QStringLiteral("1"), this))
    , m_startNumberEdit(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("新建元件"));
    m_groupCombo->setObjectName(QStringLiteral("group"));
    m_batch->setObjectName(QStringLiteral("batch"));
    m_nameEdit->setObjectName(QStringLiteral("name"));
    m_addressEdit->setObjectName(QStringLiteral("startAddress"));
    m_addressEdit->setMaxLength(kAddressCharacters);
    m_positionEdit->setObjectName(QStringLiteral("position"));
    m_intervalEdit->setObjectName(QStringLiteral("interval"));
    m_intervalEdit->SetTypedRange(1, kLongestInterval);
    m_intervalEdit->SetValue(m_interval);
    m_countEdit->setObjectName(QStringLiteral("count"));
    m_startNumberEdit->setObjectName(QStringLiteral("startNumber"));
    // The note has room for the longer of its two texts.
    const QFontMetrics metrics = m_nameNote->fontMetrics();
    m_nameNote->setMinimumWidth(std::max(metrics.horizontalAdvance(UiText(IdsNoteFullName)),
                                         metrics.horizontalAdvance(UiText(IdsNoteNameWithoutNumber))));

    for (const ElementGroup& group : m_groups)
        m_groupCombo->addItem(QStringFromGbk(group.name));
    if (currentGroup >= 0 && currentGroup < static_cast<int>(m_groups.size())) {
        m_groupCombo->setCurrentIndex(currentGroup);
        m_position = static_cast<int>(m_groups[static_cast<std::size_t>(currentGroup)].elements.size());
    }
    m_positionEdit->SetValue(m_position);

    auto* baseRow = new QWidget(this);
    auto* baseLayout = new QHBoxLayout(baseRow);
    baseLayout->setContentsMargins(0, 0, 0, 0);
    const QString baseTexts[] = {QStringLiteral("八进制"), QStringLiteral("十进制"), QStringLiteral("十六进制")};
    for (int base = OctalBase; base <= HexBase; ++base) {
        auto* button = new QRadioButton(baseTexts[base], baseRow);
        button->setObjectName(QStringLiteral("base%1").arg(base));
        m_bases->addButton(button, base);
        baseLayout->addWidget(button);
    }
    m_bases->button(m_base)->setChecked(true);

    auto* batchLayout = new QGridLayout(m_batchBox);
    batchLayout->addWidget(Boxed(QStringLiteral("元件编号进制"), baseRow, m_batchBox), 0, 0, 1, 2);
    batchLayout->addWidget(Boxed(QStringLiteral("地址间隔(递增)"), m_intervalEdit, m_batchBox), 1, 0);
    batchLayout->addWidget(Boxed(QStringLiteral("新建元件个数:"), m_countEdit, m_batchBox), 1, 1);
    batchLayout->addWidget(Boxed(QStringLiteral("起始元件名编号"), m_startNumberEdit, m_batchBox), 2, 0);

    auto* elementBox = new QGroupBox(QStringLiteral("元件设置:"), this);
    auto* elementLayout = new QGridLayout(elementBox);
    elementLayout->addWidget(new QLabel(QStringLiteral("元件名称:"), elementBox), 0, 0);
    elementLayout->addWidget(m_nameEdit, 0, 1);
    elementLayout->addWidget(m_nameNote, 0, 2);
    elementLayout->addWidget(new QLabel(QStringLiteral("(起始)地址:"), elementBox), 1, 0);
    elementLayout->addWidget(m_addressEdit, 1, 1);
    elementLayout->addWidget(new QLabel(QStringLiteral("注:16进制"), elementBox), 1, 2);
    elementLayout->addWidget(new QLabel(QStringLiteral("位置: 在序号"), elementBox), 2, 0);
    elementLayout->addWidget(m_positionEdit, 2, 1);
    elementLayout->addWidget(new QLabel(QStringLiteral("之后"), elementBox), 2, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Boxed(QStringLiteral("元件组设置:"), m_groupCombo, this));
    layout->addWidget(Boxed(QStringLiteral("增加方式"), m_batch, this));
    layout->addWidget(elementBox);
    layout->addWidget(m_batchBox);
    layout->addWidget(OkCancelButtons(this, [this] { OnOK(); }));

    connect(m_batch, &QCheckBox::toggled, this, &CNewElementDlg::OnBatch);
    connect(m_bases, &QButtonGroup::idClicked, this, &CNewElementDlg::OnBase);
    connect(m_nameEdit, &QLineEdit::textEdited, this, &CNewElementDlg::OnNameChange);
    connect(m_countEdit, &QLineEdit::textEdited, this, &CNewElementDlg::OnCountChange);
    connect(m_startNumberEdit, &QLineEdit::textEdited, this, &CNewElementDlg::OnStartNumberChange);
    connect(m_addressEdit, &QLineEdit::textEdited, this, &CNewElementDlg::OnStartAddressChange);
    connect(m_intervalEdit, &CSpinEdit::Edited, this, &CNewElementDlg::OnIntervalChange);
    connect(m_positionEdit, &CSpinEdit::Edited, this, &CNewElementDlg::OnPositionChange);
    OnBatch(false);
    SetTabOrderByLayout(*this);
}

void CNewElementDlg::OnBatch(bool checked)
{
    m_nameNote->setText(UiText(checked ? IdsNoteNameWithoutNumber : IdsNoteFullName));
    m_batchBox->setEnabled(checked);
    if (!checked) {
        m_count = 1;
        m_countEdit->setText(QStringLiteral("1"));
        m_startNumber.clear();
        m_startNumberEdit->clear();
    }
}

void CNewElementDlg::OnBase(int base)
{
    m_startNumber = QStringFromGbk(RebaseStartNumber(GbkFromQString(m_startNumber), m_base, base));
    m_startNumberEdit->setText(m_startNumber);
    m_base = base;
}

void CNewElementDlg::ShowAgain(QLineEdit* edit, const QString& text, int caret)
{
    edit->setText(text);
    edit->setCursorPosition(std::min(caret, static_cast<int>(text.size())));
}

void CNewElementDlg::OnNameChange(const QString& text)
{
    // A name holds no character that ends a field of the device file.
    const std::string name = GbkFromQString(text);
    if (name.size() > kNameBytes || name.find_first_of("=;") != std::string::npos)
        ShowAgain(m_nameEdit, m_name, m_nameEdit->cursorPosition() - 1);
    else
        m_name = text;
}

void CNewElementDlg::OnCountChange()
{
    const std::optional<int> count = ReadFieldValue(*m_countEdit, 0, kMaxBatchCount);
    if (!count) {
        ShowAgain(m_countEdit, QString::number(m_count), m_countEdit->cursorPosition());
        return;
    }
    if (!StartNumberFits(GbkFromQString(m_startNumber), m_base, *count)) {
        ShowAgain(m_countEdit, QString::number(m_count), m_countEdit->cursorPosition());
        CurrentUi().ShowMessage(IdsStartPlusCountOver65535, MbOk);
        return;
    }
    m_count = *count;
}

void CNewElementDlg::OnIntervalChange()
{
    const std::optional<int> interval = m_intervalEdit->ReadInteger();
    if (interval && *interval > 0 && *interval <= kLongestInterval)
        m_interval = *interval;
    else
        m_intervalEdit->SetValue(m_interval);
}

void CNewElementDlg::OnPositionChange()
{
    const std::optional<int> position = m_positionEdit->ReadInteger();
    if (position && *position >= 0 && *position <= kHighestPosition)
        m_position = *position;
    else
        m_positionEdit->SetValue(m_position);
}

void CNewElementDlg::OnStartNumberChange(const QString& text)
{
    const int caret = m_startNumberEdit->cursorPosition();
    const QString shown = m_base == HexBase ? text.toUpper() : text;
    if (!StartNumberFits(GbkFromQString(shown), m_base, m_count)) {
        ShowAgain(m_startNumberEdit, m_startNumber, caret - 1);
        CurrentUi().ShowMessage(IdsStartPlusCountOver65535, MbOk);
        return;
    }
    if (shown != text)
        ShowAgain(m_startNumberEdit, shown, caret);
    m_startNumber = shown;
}

void CNewElementDlg::OnStartAddressChange(const QString& text)
{
    const int caret = m_addressEdit->cursorPosition();
    const QString shown = text.toUpper();
    if (!IsTypableAddress(GbkFromQString(shown))) {
        ShowAgain(m_addressEdit, m_startAddress, caret - 1);
        return;
    }
    if (shown != text)
        ShowAgain(m_addressEdit, shown, caret);
    m_startAddress = shown;
}

NewElementRequest CNewElementDlg::Request() const
{
    NewElementRequest request;
    request.groupName = GbkFromQString(m_groupCombo->currentText());
    request.name = GbkFromQString(m_name);
    request.batch = m_batch->isChecked();
    request.count = m_count;
    request.base = m_base;
    request.startNumber = GbkFromQString(m_startNumber);
    request.interval = m_interval;
    request.startAddress = GbkFromQString(m_startAddress);
    request.position = m_position;
    return request;
}

void CNewElementDlg::OnOK()
{
    const NewElementRequest request = Request();
    if (const int refusal = NewElementRefusal(request, m_groups)) {
        CurrentUi().ShowMessage(refusal, MbOk);
        return;
    }
    accept();
}
