#include "pages/ui/CFuncKeyPropertyDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "devices/ElementTypeText.h"
#include "model/CVX50TextDoc.h"
#include "model/PanelKeyChoices.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/PanelKeys.h"
#include "pages/FuncKeyRules.h"
#include "pages/ui/PasswordFields.h"
#include "widgets/CElementNameCombo.h"
#include "widgets/CSpinEdit.h"
#include "widgets/CStepEdit.h"
#include "widgets/TabOrder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The action radios in their order, and the action code each stands for.
constexpr std::array<int, 5> kActionOfRadio = {CFuncKeyElement::ScreenJump, CFuncKeyElement::SetCoil,
    CFuncKeyElement::SetRegister, CFuncKeyElement::Increment, CFuncKeyElement::Decrement};
// The parameter box's title by action code.
constexpr std::array<int, 5> kActionTitle = {IdsActionCoil, IdsActionRegister, IdsActionScreen,
    IdsActionIncrement, IdsActionDecrement};
constexpr int kMaxNumberText = 11;
constexpr int kMaxRegisters = 2;

QString Text(int stringId)
{
    return QStringFromGbk(StringGbk(stringId));
}

// The key list's text of a key code; empty for a code of no key.
QString KeyName(int code)
{
    const PanelKeyInfo* key = PanelKey(code);
    return key ? Text(key->nameId) : QString();
}

int RadioOfAction(int action)
{
    for (std::size_t i = 0; i < kActionOfRadio.size(); ++i)
        if (kActionOfRadio[i] == action)
            return static_cast<int>(i);
    return -1;
}

bool IsRegisterAction(int action)
{
    return action == CFuncKeyElement::SetRegister || action == CFuncKeyElement::Increment
        || action == CFuncKeyElement::Decrement;
}

bool IsStepAction(int action)
{
    return action == CFuncKeyElement::Increment || action == CFuncKeyElement::Decrement;
}

AddressRules FuncKeyAddressRules()
{
    AddressRules rules;
    rules.types = {BitElementType, Word16ElementType, Word32ElementType};
    rules.bitOrWordTypes = true;
    rules.zeroGroups = {"VX-M", "VX-D"};
    rules.emptyNameForEmptyGroup = true;
    rules.warnQm4Groups = true;
    return rules;
}

} // namespace

CFuncKeyPropertyDlg::CFuncKeyPropertyDlg(CVX50TextDoc& document, QWidget* parent)
    : CAddressPropertyDlg(document, parent, FuncKeyAddressRules())
    , m_doubleSize(new QCheckBox(QStringLiteral("倍角"), this))
    , m_inverse(new QCheckBox(QStringLiteral("反相"), this))
    , m_handIcon(new QCheckBox(QStringLiteral("手形"), this))
    , m_invisible(new QCheckBox(QStringLiteral("隐形"), this))
    , m_password(new QCheckBox(QStringLiteral("加密"), this))
    , m_key(new QComboBox(this))
    , m_parameters(new QGroupBox(Text(IdsActionCoil), this))
    , m_parameterForm(new QFormLayout(m_parameters))
    , m_coilBox(new QWidget(this))
    , m_station(CreateStationEdit())
    , m_jumpScreen(new CSpinEdit(1, 65535, this))
    , m_format(new QComboBox(this))
    , m_registerCount(new CSpinEdit(1, kMaxRegisters, this))
    , m_stepLimitBox(new QGroupBox(QStringLiteral("加减值设定"), this))
    , m_userLevel(new QComboBox(this))
{
    m_format->addItems({QStringLiteral("HEX"), QStringLiteral("无符号"), QStringLiteral("有符号")});
    for (auto& field : m_numbers) {
        field = new CStepEdit(this);
        field->Edit()->setMaxLength(kMaxNumberText);
        field->FitAnyValue();
    }

    QHBoxLayout* frame = CreateFrame(QStringLiteral("功能键属性"));
    auto* first = new QVBoxLayout;
    first->addWidget(CreatePositionGroup());
    auto* look = new QGroupBox(QStringLiteral("特性"), this);
    auto* lookColumn = new QVBoxLayout(look);
    for (QCheckBox* box : {m_doubleSize, m_inverse, m_handIcon, m_invisible, m_password})
        lookColumn->addWidget(box);
    first->addWidget(look);
    auto* keyForm = new QFormLayout;
    keyForm->addRow(QStringLiteral("键:"), m_key);
    first->addLayout(keyForm);
    first->addStretch();
    frame->addLayout(first);

    auto* actions = new QVBoxLayout;
    auto* actionGroup = new QButtonGroup(this);
    const char* actionTexts[] = {"画面跳转", "设定线圈", "设定寄存器", "递增", "递减"};
    for (std::size_t i = 0; i < m_actions.size(); ++i) {
        m_actions[i] = new QRadioButton(QString::fromUtf8(actionTexts[i]), this);
        actionGroup->addButton(m_actions[i], static_cast<int>(i));
        actions->addWidget(m_actions[i]);
    }
    actions->addStretch();
    frame->addLayout(actions);

    auto* coilColumn = new QVBoxLayout(m_coilBox);
    coilColumn->setContentsMargins(0, 0, 0, 0);
    auto* coilGroup = new QButtonGroup(this);
    const char* coilTexts[] = {"设定为ON", "设定为OFF", "取反", "瞬时ON", "瞬时OFF"};
    for (std::size_t i = 0; i < m_coilOperations.size(); ++i) {
        m_coilOperations[i] = new QRadioButton(QString::fromUtf8(coilTexts[i]), m_coilBox);
        coilGroup->addButton(m_coilOperations[i], static_cast<int>(i));
        coilColumn->addWidget(m_coilOperations[i]);
    }
    auto* valueRow = new QWidget(this);
    auto* valueLayout = new QHBoxLayout(valueRow);
    valueLayout->setContentsMargins(0, 0, 0, 0);
    valueLayout->addWidget(Field(SetValueField));
    valueLayout->addWidget(m_format);
    m_parameterForm->addRow(QStringLiteral("类型:"), TypeCombo());
    m_parameterForm->addRow(QStringLiteral("元件组名:"), GroupCombo());
    m_parameterForm->addRow(QStringLiteral("元件名称:"), NameCombo());
    m_parameterForm->addRow(QStringLiteral("局号:"), m_station);
    m_parameterForm->addRow(m_coilBox);
    m_parameterForm->addRow(QStringLiteral("跳转至画面:"), m_jumpScreen);
    m_parameterForm->addRow(QStringLiteral("参数:"), valueRow);
    m_parameterForm->addRow(QStringLiteral("寄存器个数:"), m_registerCount);
    frame->addWidget(m_parameters, 0, Qt::AlignTop);

    auto* stepForm = new QFormLayout(m_stepLimitBox);
    stepForm->addRow(QStringLiteral("加/减值:"), Field(StepField));
    stepForm->addRow(QStringLiteral("上/下限:"), Field(LimitField));
    auto* last = new QVBoxLayout;
    last->addWidget(m_stepLimitBox);
    auto* levelBox = new QGroupBox(QStringLiteral("使用者等级"), this);
    (new QVBoxLayout(levelBox))->addWidget(m_userLevel);
    last->addWidget(levelBox);
    last->addStretch();
    frame->addLayout(last);

    m_station->SetRange(0, 255);
    FillUserLevels(m_userLevel, 0);
    m_userLevel->setEnabled(false);
    ShowActionLayout(CFuncKeyElement::SetCoil);

    connect(m_key, &QComboBox::activated, this, &CFuncKeyPropertyDlg::OnKeySelChange);
    connect(actionGroup, &QButtonGroup::idClicked, this, &CFuncKeyPropertyDlg::OnAction);
    connect(coilGroup, &QButtonGroup::idClicked, this, &CFuncKeyPropertyDlg::OnCoilOperation);
    connect(m_jumpScreen, &CSpinEdit::Edited, this, &CFuncKeyPropertyDlg::OnJumpScreenChange);
    connect(m_handIcon, &QCheckBox::clicked, this, &CFuncKeyPropertyDlg::OnHandIcon);
    connect(m_invisible, &QCheckBox::clicked, this, &CFuncKeyPropertyDlg::OnInvisible);
    connect(m_doubleSize, &QCheckBox::clicked, this, &CFuncKeyPropertyDlg::OnDoubleSize);
    connect(m_inverse, &QCheckBox::clicked, this, &CFuncKeyPropertyDlg::OnInverse);
    connect(m_password, &QCheckBox::clicked, this, &CFuncKeyPropertyDlg::OnPasswordCheck);
    connect(m_userLevel, &QComboBox::activated, this, &CFuncKeyPropertyDlg::OnUserLevelSelChange);
    connect(m_format, &QComboBox::activated, this, &CFuncKeyPropertyDlg::OnFormatSelChange);
    connect(m_registerCount, &CSpinEdit::Edited, this, &CFuncKeyPropertyDlg::OnRegisterCountChange);
    for (const NumberField field : {SetValueField, StepField, LimitField}) {
        connect(Field(field), &CStepEdit::Edited, this, [this, field] { OnNumberChange(field); });
        connect(Field(field), &CStepEdit::Stepped, this, [this, field](int delta) { OnNumberSpin(field, delta); });
    }
    SetTabOrderByLayout(*this);
}

BoundAddress CFuncKeyPropertyDlg::Address() const
{
    return BoundAddress::Of(Bound<CFuncKeyElement>());
}

bool CFuncKeyPropertyDlg::NeedsNextWord() const
{
    const auto key = Bound<CFuncKeyElement>();
    return key && key->RegisterCount == 2;
}

int CFuncKeyPropertyDlg::LowestStation() const
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key)
        return 1;
    return FuncKeyLowestStation(key->GetAction(), key->GetCoilOperation(),
        GetElementGroupMode(Document().AddressTable, key->GroupName));
}

int CFuncKeyPropertyDlg::StationRefusalMessage() const
{
    return IdsEnterInteger1To255;
}

int& CFuncKeyPropertyDlg::Stored(CFuncKeyElement& key, NumberField field) const
{
    switch (field) {
    case SetValueField:
        return key.SetValue;
    case StepField:
        return key.StepValue;
    case LimitField:
        break;
    }
    return key.Limit;
}

void CFuncKeyPropertyDlg::LoadFromElement()
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key)
        return;
    ShowLook();
    ShowStation();
    FillKeyCombo();
    ShowActionLayout(key->GetAction());
    if (const int op = key->GetCoilOperation(); op >= 0 && op < static_cast<int>(m_coilOperations.size()))
        m_coilOperations[static_cast<std::size_t>(op)]->setChecked(true);
    m_jumpScreen->SetValue(key->TargetScreen);
    LoadPosition();
    LoadAddressControls();
    ShowNumberFields();
    ShowPassword();
}

void CFuncKeyPropertyDlg::LoadPasswordLevels()
{
    FillUserLevels(m_userLevel, Document().HighestPasswordLevel);
    ShowPassword();
}

void CFuncKeyPropertyDlg::ShowPassword()
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key)
        return;
    m_password->setChecked(key->IsPasswordProtected());
    m_userLevel->setEnabled(key->IsPasswordProtected());
    ShowUserLevel(m_userLevel, key->PasswordLevel);
}

void CFuncKeyPropertyDlg::ShowLook()
{
    const auto key = Bound<CFuncKeyElement>();
    const bool invisible = key->IsInvisible();
    if (invisible && key->HasHandIcon()) {
        // An invisible key shows no hand.
        key->SetHandIcon(0);
        key->SetSize(16, 16);
    }
    m_invisible->setChecked(invisible);
    m_handIcon->setChecked(!invisible && key->HasHandIcon());
    m_doubleSize->setChecked(!invisible && key->GetDoubleSize());
    m_inverse->setChecked(!invisible && key->IsInverse());
    for (QCheckBox* box : {m_handIcon, m_doubleSize, m_inverse})
        box->setEnabled(!invisible);
}

void CFuncKeyPropertyDlg::FillKeyCombo()
{
    const auto key = Bound<CFuncKeyElement>();
    FitKeyToFreePanelKeys(Document(), *key);
    m_key->clear();
    for (const int code : FreePanelKeys(Document(), key.get()))
        m_key->addItem(KeyName(code));
    m_key->setCurrentIndex(m_key->findText(KeyName(key->GetKey())));
}

void CFuncKeyPropertyDlg::ShowActionLayout(int action)
{
    if (action < 0 || action >= static_cast<int>(kActionTitle.size()))
        return;
    m_actions[static_cast<std::size_t>(RadioOfAction(action))]->setChecked(true);
    m_parameters->setTitle(Text(kActionTitle[static_cast<std::size_t>(action)]));
    const bool jump = action == CFuncKeyElement::ScreenJump;
    for (QWidget* field : std::initializer_list<QWidget*>{TypeCombo(), GroupCombo(), NameCombo(), m_station})
        m_parameterForm->setRowVisible(field, !jump);
    m_parameterForm->setRowVisible(m_coilBox, action == CFuncKeyElement::SetCoil);
    m_parameterForm->setRowVisible(m_jumpScreen, jump);
    m_parameterForm->setRowVisible(Field(SetValueField)->parentWidget(), IsRegisterAction(action));
    Field(SetValueField)->setVisible(action == CFuncKeyElement::SetRegister);
    m_parameterForm->setRowVisible(m_registerCount, IsRegisterAction(action));
    m_stepLimitBox->setVisible(IsStepAction(action));
}

void CFuncKeyPropertyDlg::ShowNumberFields()
{
    const auto key = Bound<CFuncKeyElement>();
    const NumberFormat format = FuncKeyFormat(*key);
    const int bits = FuncKeyValueBits(*key);
    m_format->setCurrentIndex(key->GetDataFormat());
    for (const NumberField field : {SetValueField, StepField, LimitField}) {
        m_acceptedTexts[field] = QString::fromStdString(FormatValueText(Stored(*key, field), format, bits));
        Field(field)->Edit()->setText(m_acceptedTexts[field]);
    }
    m_registerCount->SetValue(key->RegisterCount);
}

void CFuncKeyPropertyDlg::OnKeySelChange(int index)
{
    const auto key = Bound<CFuncKeyElement>();
    const int code = index >= 0 ? KeyFromName(GbkFromQString(m_key->itemText(index))) : -1;
    if (!key || code < 0)
        return;
    key->SetKey(code);
    Commit(Snapshot | MarkModified | Repaint | RefreshRow);
}

void CFuncKeyPropertyDlg::StartAddress(CFuncKeyElement& key, int width)
{
    key.TypeText = SharedElementTypeText(width);
    key.WordSize = width;
    const AddressNames names = ActionStartAddress(Document().AddressTable, width, key.GroupName);
    key.GroupName = names.group;
    key.ElementName = names.element;
    LoadAddressControls();
}

void CFuncKeyPropertyDlg::OnAction(int index)
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key || index < 0 || index >= static_cast<int>(kActionOfRadio.size()))
        return;
    const int action = kActionOfRadio[static_cast<std::size_t>(index)];
    const bool changed = action != key->GetAction();
    const int step = key->StepValue;
    const int limit = key->Limit;
    ShowActionLayout(action);
    key->SetAction(action);
    if (action == CFuncKeyElement::SetCoil) {
        if (changed) {
            StartAddress(*key, BitElementType);
            if (Document().UseProtocolLibrary)
                key->AddressText = "0";
        }
        key->RegisterCount = 1;
    } else if (IsRegisterAction(action) && changed) {
        key->SetDataFormat(static_cast<int>(NumberFormat::Unsigned));
        key->RegisterCount = 1;
        StartAddress(*key, Word16ElementType);
    }
    if (IsStepAction(action)) {
        key->StepValue = 1;
        ResetFuncKeyLimit(*key);
    }
    ShowNumberFields();
    if (changed || key->StepValue != step || key->Limit != limit)
        Commit(MarkModified | Snapshot | RefreshRow);
}

void CFuncKeyPropertyDlg::OnCoilOperation(int operation)
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key || operation == key->GetCoilOperation())
        return;
    key->SetCoilOperation(operation);
    Commit(MarkModified | Snapshot);
}

void CFuncKeyPropertyDlg::OnJumpScreenChange()
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key)
        return;
    const std::optional<int> screen = m_jumpScreen->Value();
    if (!screen || *screen < 1 || *screen > 65535) {
        CurrentUi().ShowMessage(IdsEnterInteger1To65535);
        m_jumpScreen->SetValue(key->TargetScreen);
        return;
    }
    key->TargetScreen = *screen;
    Commit(MarkModified | Snapshot | RefreshRow);
}

void CFuncKeyPropertyDlg::PlaceKey(CFuncKeyElement& key, const DotBox& box)
{
    key.SetPosition(box.x, box.y);
    key.SetSize(box.w, box.h);
    ShowPosition(key.GetPosition());
}

void CFuncKeyPropertyDlg::OnHandIcon(bool checked)
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key)
        return;
    key->SetHandIcon(checked);
    PlaceKey(*key, FuncKeyBoxWithHand(key->GetBox(), checked));
    Commit(MarkModified | Snapshot | Repaint);
}

void CFuncKeyPropertyDlg::OnDoubleSize(bool checked)
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key)
        return;
    key->SetDoubleSize(checked);
    PlaceKey(*key, FuncKeyBoxWithDoubleSize(key->GetBox(), checked));
    Commit(MarkModified | Snapshot | Repaint);
}

void CFuncKeyPropertyDlg::OnInverse(bool checked)
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key)
        return;
    key->SetInverse(checked);
    Commit(MarkModified | Snapshot | Repaint);
}

void CFuncKeyPropertyDlg::OnInvisible(bool checked)
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key)
        return;
    if (checked) {
        // An invisible key has no hand, no double size and no inverse face.
        DotBox box = key->GetBox();
        if (key->HasHandIcon())
            box = FuncKeyBoxWithHand(box, false);
        if (key->GetDoubleSize())
            box = FuncKeyBoxWithDoubleSize(box, false);
        PlaceKey(*key, box);
        key->SetHandIcon(0);
        key->SetDoubleSize(0);
        key->SetInverse(0);
    }
    key->SetInvisible(checked);
    ShowLook();
    Commit(MarkModified | Snapshot | Repaint);
}

void CFuncKeyPropertyDlg::OnPasswordCheck(bool checked)
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key || !SetPasswordProtection(Document(), m_password, *key, checked))
        return;
    ShowPassword();
    Commit(MarkModified | Snapshot);
}

void CFuncKeyPropertyDlg::OnUserLevelSelChange(int index)
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key || index < 0)
        return;
    key->PasswordLevel = index;
    Commit(MarkModified | Snapshot);
}

void CFuncKeyPropertyDlg::OnFormatSelChange(int index)
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key || index < 0)
        return;
    if (index != key->GetDataFormat()) {
        ConvertFuncKeyFormat(*key, static_cast<NumberFormat>(index));
        Commit(MarkModified | Snapshot);
    }
    ShowNumberFields();
}

void CFuncKeyPropertyDlg::OnNumberChange(NumberField field)
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key)
        return;
    const QString text = Field(field)->Text();
    const NumberFormat format = FuncKeyFormat(*key);
    const int bits = FuncKeyValueBits(*key);
    const std::string typed = text.toStdString();
    const std::optional<std::int64_t> value =
        field == StepField ? ParseStepText(typed, format, bits) : ParseValueText(typed, format, bits);
    if (!value) {
        Field(field)->PutBack(m_acceptedTexts[field]);
        return;
    }
    m_acceptedTexts[field] = text;
    Stored(*key, field) = ValueField(*value);
    Commit(MarkModified | Snapshot);
}

void CFuncKeyPropertyDlg::OnNumberSpin(NumberField field, int delta)
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key)
        return;
    const NumberFormat format = FuncKeyFormat(*key);
    const int bits = FuncKeyValueBits(*key);
    const NumberRange range = field == StepField ? StepRange(format, bits) : ValueRange(format, bits);
    const std::optional<std::int64_t> value = ParseValueText(m_acceptedTexts[field].toStdString(), format, bits);
    const std::optional<std::int64_t> next = value ? range.Step(*value, delta) : std::nullopt;
    if (!next)
        return;
    Field(field)->Edit()->setText(QString::fromStdString(FormatValueText(ValueField(*next), format, bits)));
    OnNumberChange(field);
}

bool CFuncKeyPropertyDlg::MayUseTwoRegisters(const CFuncKeyElement& key) const
{
    return key.WordSize == Word16ElementType
        && MayBindElementName(Document().AddressTable, key.WordSize, key.GroupName, key.ElementName, true);
}

void CFuncKeyPropertyDlg::FitNumbersToAddress(CFuncKeyElement& key)
{
    if (key.RegisterCount == 2 && !MayUseTwoRegisters(key))
        key.RegisterCount = 1;
    FitFuncKeyValuesToWidth(key);
    ShowNumberFields();
}

void CFuncKeyPropertyDlg::OnRegisterCountChange()
{
    const auto key = Bound<CFuncKeyElement>();
    if (!key)
        return;
    const QString text = m_registerCount->Text().trimmed();
    const bool digitsOnly =
        !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    const int count = digitsOnly ? text.toInt() : 0;
    const bool accepted = count == 1 || (count == 2 && MayUseTwoRegisters(*key));
    if (accepted)
        key->RegisterCount = count;
    FitNumbersToAddress(*key);
    Commit(accepted ? MarkModified | Snapshot : 0u);
}

unsigned CFuncKeyPropertyDlg::TypeChosen(bool changed, int)
{
    const auto key = Bound<CFuncKeyElement>();
    FitNumbersToAddress(*key);
    return (changed ? unsigned{Snapshot} : 0u) | RefreshRow;
}

unsigned CFuncKeyPropertyDlg::GroupChosen(bool changed)
{
    const auto key = Bound<CFuncKeyElement>();
    if (changed) {
        // The station and the register count are checked against the chosen
        // group, as their own fields check them.
        if (key->GetStation() < LowestStation()) {
            key->SetStation(1);
            ShowStation();
        }
        FitNumbersToAddress(*key);
    }
    return Snapshot | RefreshRow;
}
