#include "pages/ui/CRegisterPropertyDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "model/PanelKeyChoices.h"
#include "model/elements/CRegisterElement.h"
#include "pages/RegisterDigits.h"
#include "pages/RegisterPreset.h"
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

constexpr std::array<RegisterLimit, 4> kLimits = {
    RegisterLimit::RawUpper, RegisterLimit::RawLower, RegisterLimit::EngUpper, RegisterLimit::EngLower};
constexpr std::array<const char*, 4> kLimitLabels = {"原始数据上限:", "原始数据下限:", "工程量上限:", "工程量下限:"};

AddressRules RegisterRules()
{
    AddressRules rules;
    rules.types = {Word16ElementType, Word32ElementType};
    return rules;
}

QGroupBox* GroupBox(const char* title, QWidget* parent)
{
    return new QGroupBox(QString::fromUtf8(title), parent);
}

} // namespace

CRegisterPropertyDlg::CRegisterPropertyDlg(CVX50TextDoc& document, QWidget* parent)
    : CAddressPropertyDlg(document, parent, RegisterRules())
    , m_digits(new CSpinEdit(1, 5, this))
    , m_decimals(new CSpinEdit(0, 5, this))
    , m_doubleSize(new QCheckBox(QStringLiteral("倍角"), this))
    , m_inverse(new QCheckBox(QStringLiteral("反相"), this))
    , m_registerCount(new CSpinEdit(1, 2, this))
    , m_hexBcd(new QRadioButton(QStringLiteral("HEX/BCD"), this))
    , m_decimal(new QRadioButton(QStringLiteral("十进制"), this))
    , m_signed(new QCheckBox(QStringLiteral("有符号数"), this))
    , m_rightIndent(new QRadioButton(QStringLiteral("右缩进"), this))
    , m_leftIndent(new QRadioButton(QStringLiteral("左缩进"), this))
    , m_settable(new QCheckBox(QStringLiteral("设定"), this))
    , m_password(new QCheckBox(QStringLiteral("加密"), this))
    , m_userLevel(new QComboBox(this))
    , m_displayMode(new QComboBox(this))
{
    m_displayMode->addItems({QStringLiteral("原始数据"), QStringLiteral("工程量")});
    for (auto& limit : m_limits) {
        limit = new CStepEdit(this);
        limit->FitAnyValue();
    }

    QHBoxLayout* frame = CreateFrame(QStringLiteral("寄存器属性"));
    auto* first = new QVBoxLayout;
    first->addWidget(CreatePositionGroup());
    auto* display = GroupBox("显示", this);
    auto* displayForm = new QFormLayout(display);
    displayForm->addRow(QStringLiteral("位数:"), m_digits);
    displayForm->addRow(QStringLiteral("小数位:"), m_decimals);
    first->addWidget(display);
    auto* look = GroupBox("特性", this);
    auto* lookColumn = new QVBoxLayout(look);
    lookColumn->addWidget(m_doubleSize);
    lookColumn->addWidget(m_inverse);
    first->addWidget(look);
    first->addStretch();
    frame->addLayout(first);

    auto* address = GroupBox("寄存器", this);
    auto* addressForm = new QFormLayout(address);
    addressForm->addRow(QStringLiteral("类型:"), TypeCombo());
    addressForm->addRow(QStringLiteral("元件组名:"), GroupCombo());
    addressForm->addRow(QStringLiteral("元件名称:"), NameCombo());
    CSpinEdit* station = CreateStationEdit();
    station->SetRange(0, 255);
    addressForm->addRow(QStringLiteral("局号:"), station);
    addressForm->addRow(QStringLiteral("寄存器个数:"), m_registerCount);
    frame->addWidget(address, 0, Qt::AlignTop);

    // The number's mode and indent, then who may set it, in one column.
    auto* second = new QVBoxLayout;
    auto* mode = GroupBox("模式", this);
    auto* modeColumn = new QVBoxLayout(mode);
    auto* formatGroup = new QButtonGroup(this);
    formatGroup->addButton(m_hexBcd);
    formatGroup->addButton(m_decimal);
    for (QWidget* w : {static_cast<QWidget*>(m_hexBcd), static_cast<QWidget*>(m_decimal),
             static_cast<QWidget*>(m_signed)})
        modeColumn->addWidget(w);
    second->addWidget(mode);
    auto* indent = GroupBox("缩进方式", this);
    auto* indentColumn = new QVBoxLayout(indent);
    auto* indentGroup = new QButtonGroup(this);
    indentGroup->addButton(m_rightIndent, 0);
    indentGroup->addButton(m_leftIndent, 1);
    indentColumn->addWidget(m_rightIndent);
    indentColumn->addWidget(m_leftIndent);
    second->addWidget(indent);
    second->addWidget(m_settable);
    second->addWidget(m_password);
    auto* level = GroupBox("使用者等级", this);
    (new QVBoxLayout(level))->addWidget(m_userLevel);
    second->addWidget(level);
    second->addStretch();
    frame->addLayout(second);

    auto* ranges = GroupBox("范围设定", this);
    auto* rangeForm = new QFormLayout(ranges);
    rangeForm->addRow(m_displayMode);
    for (std::size_t i = 0; i < kLimits.size(); ++i)
        rangeForm->addRow(QString::fromUtf8(kLimitLabels[i]), m_limits[i]);
    frame->addWidget(ranges, 0, Qt::AlignTop);

    FillUserLevels(m_userLevel, 0);
    for (QWidget* w : {static_cast<QWidget*>(m_password), static_cast<QWidget*>(m_userLevel)})
        w->setEnabled(false);
    for (CStepEdit* limit : m_limits)
        limit->setEnabled(false);

    connect(m_digits, &CSpinEdit::Edited, this, [this] { OnDigitsChange(m_digits, SetRegisterDigits); });
    connect(m_decimals, &CSpinEdit::Edited, this, [this] { OnDigitsChange(m_decimals, SetRegisterDecimals); });
    connect(m_signed, &QCheckBox::clicked, this, &CRegisterPropertyDlg::OnSignedCheck);
    connect(m_hexBcd, &QRadioButton::clicked, this, &CRegisterPropertyDlg::OnHexBcd);
    connect(m_decimal, &QRadioButton::clicked, this, &CRegisterPropertyDlg::OnDecimal);
    connect(indentGroup, &QButtonGroup::idClicked, this, &CRegisterPropertyDlg::OnIndent);
    connect(m_registerCount, &CSpinEdit::Edited, this, &CRegisterPropertyDlg::OnRegisterCountChange);
    connect(m_settable, &QCheckBox::clicked, this, &CRegisterPropertyDlg::OnSetOption);
    connect(m_password, &QCheckBox::clicked, this, &CRegisterPropertyDlg::OnPasswordCheck);
    connect(m_userLevel, &QComboBox::activated, this, &CRegisterPropertyDlg::OnUserLevelSelChange);
    connect(m_doubleSize, &QCheckBox::clicked, this, &CRegisterPropertyDlg::OnDoubleSize);
    connect(m_inverse, &QCheckBox::clicked, this, &CRegisterPropertyDlg::OnInverse);
    connect(m_displayMode, &QComboBox::activated, this, &CRegisterPropertyDlg::OnDisplayModeSelChange);
    for (const RegisterLimit limit : kLimits) {
        connect(Limit(limit), &CStepEdit::Edited, this, [this, limit] { OnLimitChange(limit); });
        connect(Limit(limit), &CStepEdit::Stepped, this, [this, limit](int delta) { OnLimitSpin(limit, delta); });
    }
    SetTabOrderByLayout(*this);
}

BoundAddress CRegisterPropertyDlg::Address() const
{
    return BoundAddress::Of(Bound<CRegisterElement>());
}

bool CRegisterPropertyDlg::NeedsNextWord() const
{
    const auto reg = Bound<CRegisterElement>();
    return reg && reg->RegisterCount == 2;
}

int CRegisterPropertyDlg::LowestStation() const
{
    const auto reg = Bound<CRegisterElement>();
    return reg && reg->IsSettable() ? 0 : 1;
}

int CRegisterPropertyDlg::StationRefusalMessage() const
{
    return IdsEnterInteger1To255;
}

void CRegisterPropertyDlg::LoadFromElement()
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg)
        return;
    NormaliseSigned16Limits(*reg);
    ShowStation();
    LoadAddressControls();
    m_inverse->setChecked(reg->IsInverse());
    m_doubleSize->setChecked(reg->GetDoubleSize());
    (reg->GetAlignment() == 1 ? m_leftIndent : m_rightIndent)->setChecked(true);
    ShowEntry();
    ShowNumberLook();
}

void CRegisterPropertyDlg::LoadNewElement()
{
    CAddressPropertyDlg::LoadNewElement();
    ApplyPresetRegister();
}

void CRegisterPropertyDlg::LoadPasswordLevels()
{
    FillUserLevels(m_userLevel, Document().HighestPasswordLevel);
    ShowEntry();
}

void CRegisterPropertyDlg::ApplyPresetRegister()
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg)
        return;
    const CVX50TextDoc& doc = Document();
    ::ApplyPresetRegister(
        *reg, doc.PresetRegisters, FindElementAddress(doc.AddressTable, reg->GroupName, reg->ElementName));
    ShowNumberLook();
}

void CRegisterPropertyDlg::ShowDigits()
{
    const auto reg = Bound<CRegisterElement>();
    const int maximum = RegisterDigitMaximum(*reg);
    m_digits->SetRange(1, maximum);
    m_decimals->SetRange(0, maximum);
    m_digits->SetValue(reg->Digits);
    m_decimals->SetValue(reg->Decimals);
}

void CRegisterPropertyDlg::ShowFormat()
{
    const auto reg = Bound<CRegisterElement>();
    const bool hex = reg->IsHexBcd();
    (hex ? m_hexBcd : m_decimal)->setChecked(true);
    m_signed->setChecked(!hex && reg->IsSigned());
    m_signed->setEnabled(!hex);
    m_decimals->setEnabled(!hex);
}

void CRegisterPropertyDlg::ShowLimits()
{
    const auto reg = Bound<CRegisterElement>();
    m_displayMode->setCurrentIndex(reg->IsEngineeringScale() ? 1 : 0);
    for (const RegisterLimit limit : kLimits) {
        const auto i = static_cast<std::size_t>(limit);
        m_limitTexts[i] = QString::fromStdString(RegisterLimitText(*reg, limit));
        Limit(limit)->Edit()->setText(m_limitTexts[i]);
        const bool raw = limit == RegisterLimit::RawUpper || limit == RegisterLimit::RawLower;
        Limit(limit)->setEnabled(raw ? RawLimitsEditable(*reg) : EngLimitsEditable(*reg));
    }
}

void CRegisterPropertyDlg::ShowEntry()
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg)
        return;
    m_settable->setChecked(reg->IsSettable());
    m_password->setEnabled(reg->IsSettable());
    m_password->setChecked(reg->IsPasswordProtected());
    m_userLevel->setEnabled(reg->IsSettable() && reg->IsPasswordProtected());
    ShowUserLevel(m_userLevel, reg->PasswordLevel);
}

void CRegisterPropertyDlg::ShowNumberLook()
{
    const auto reg = Bound<CRegisterElement>();
    m_registerCount->SetValue(reg->RegisterCount);
    ShowFormat();
    ShowDigits();
    ShowLimits();
    ShowPosition(reg->GetPosition());
    RepaintCanvas();
}

void CRegisterPropertyDlg::RebuildPreview(CRegisterElement& reg, bool pullUp)
{
    UpdateRegisterPreview(reg, pullUp);
    ShowNumberLook();
}

void CRegisterPropertyDlg::OnDigitsChange(CSpinEdit* field, bool (*apply)(CRegisterElement&, int))
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg)
        return;
    const std::optional<int> value = field->ReadInteger();
    if (!value || !apply(*reg, *value)) {
        ShowDigits();
        return;
    }
    RebuildPreview(*reg, false);
    Commit(MarkModified | Snapshot);
}

void CRegisterPropertyDlg::OnSignedCheck(bool checked)
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg)
        return;
    reg->SetSigned(checked);
    if (checked)
        LimitsFollowSignSet(*reg);
    else
        LimitsFollowSignCleared(*reg);
    RebuildPreview(*reg, false);
    Commit(MarkModified | Snapshot);
}

void CRegisterPropertyDlg::OnHexBcd()
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg || reg->IsHexBcd())
        return;
    if (reg->IsSigned())
        LimitsFollowHexFromSigned(*reg);
    MakeRegisterHexBcd(*reg);
    RebuildPreview(*reg, false);
    Commit(MarkModified | Snapshot);
}

void CRegisterPropertyDlg::OnDecimal()
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg || !reg->IsHexBcd())
        return;
    MakeRegisterDecimal(*reg);
    RebuildPreview(*reg, false);
    Commit(MarkModified | Snapshot);
}

void CRegisterPropertyDlg::OnIndent(int indent)
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg || indent == reg->GetAlignment())
        return;
    reg->SetAlignment(indent);
    RebuildPreview(*reg, false);
    Commit(MarkModified | Snapshot);
}

void CRegisterPropertyDlg::FollowRegisterCount(CRegisterElement& reg)
{
    LimitsFollowRegisterCount(reg);
    FitRegisterDigitsToWidth(reg);
    RebuildPreview(reg, true);
}

void CRegisterPropertyDlg::OnRegisterCountChange()
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg)
        return;
    const std::optional<int> count = m_registerCount->ReadInteger();
    bool accepted = false;
    if (reg->WordSize != Word16ElementType) {
        reg->RegisterCount = 1;
    } else if (count == 1 || (count == 2 && MayBindElementName(Document().AddressTable, reg->WordSize,
                                                 reg->GroupName, reg->ElementName, true))) {
        reg->RegisterCount = *count;
        accepted = true;
    }
    FollowRegisterCount(*reg);
    Commit(MarkModified | (accepted ? unsigned{Snapshot} : 0u));
}

unsigned CRegisterPropertyDlg::TypeChosen(bool changed, int previousWidth)
{
    const auto reg = Bound<CRegisterElement>();
    const int previousBits = ValueBits(previousWidth, reg->RegisterCount);
    if (changed) {
        if (reg->WordSize == Word32ElementType)
            reg->RegisterCount = 1;
        FitRegisterDigitsToWidth(*reg);
        UpdateRegisterPreview(*reg, true);
    }
    LimitsFollowTypeSelection(*reg, previousBits);
    ApplyPresetRegister();
    return (changed ? unsigned{Snapshot} : 0u) | Repaint | RefreshRow;
}

unsigned CRegisterPropertyDlg::GroupChosen(bool changed)
{
    const auto reg = Bound<CRegisterElement>();
    if (changed) {
        reg->RegisterCount = 1;
        FollowRegisterCount(*reg);
    }
    ApplyPresetRegister();
    return (changed ? unsigned{Snapshot} : 0u) | Repaint | RefreshRow;
}

void CRegisterPropertyDlg::NameBound()
{
    ApplyPresetRegister();
    Commit(Snapshot);
}

void CRegisterPropertyDlg::OnSetOption(bool checked)
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg)
        return;
    // Only making the register settable clashes with a SET key: clearing
    // the option always goes through.
    if (checked && HasSetFunctionKey(Document())) {
        CurrentUi().ShowMessage(IdsSetKeyWithRegister);
        m_settable->setChecked(false);
        return;
    }
    reg->SetSettable(checked);
    if (!checked) {
        reg->SetPasswordProtected(0);
        reg->PasswordLevel = 0;
        if (reg->GetStation() == 0) {
            reg->SetStation(1);
            ShowStation();
        }
    }
    ShowEntry();
    ShowLimits();
    Commit(MarkModified | Snapshot);
}

void CRegisterPropertyDlg::OnPasswordCheck(bool checked)
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg || !SetPasswordProtection(Document(), m_password, *reg, checked))
        return;
    ShowEntry();
    Commit(MarkModified | Snapshot);
}

void CRegisterPropertyDlg::OnUserLevelSelChange(int index)
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg || index < 0 || index == reg->PasswordLevel)
        return;
    reg->PasswordLevel = index;
    Commit(MarkModified | Snapshot);
}

void CRegisterPropertyDlg::OnDoubleSize(bool checked)
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg)
        return;
    reg->SetDoubleSize(checked);
    RebuildPreview(*reg, true);
    Commit(MarkModified | Snapshot);
}

void CRegisterPropertyDlg::OnInverse(bool checked)
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg)
        return;
    reg->SetInverse(checked);
    Commit(MarkModified | Repaint | Snapshot);
}

void CRegisterPropertyDlg::OnDisplayModeSelChange(int index)
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg || index < 0)
        return;
    reg->SetEngineeringScale(index);
    ShowLimits();
    Commit(MarkModified | Snapshot);
}

void CRegisterPropertyDlg::OnLimitChange(RegisterLimit limit)
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg)
        return;
    const auto i = static_cast<std::size_t>(limit);
    const QString text = Limit(limit)->Text();
    const std::optional<std::int64_t> value = ParseRegisterLimit(*reg, text.toStdString());
    if (!value) {
        Limit(limit)->PutBack(m_limitTexts[i]);
        return;
    }
    m_limitTexts[i] = text;
    LimitField(*reg, limit) = ValueField(*value);
    Commit(MarkModified | Snapshot);
}

void CRegisterPropertyDlg::OnLimitSpin(RegisterLimit limit, int delta)
{
    const auto reg = Bound<CRegisterElement>();
    if (!reg)
        return;
    const auto i = static_cast<std::size_t>(limit);
    const std::optional<std::int64_t> value = ParseRegisterLimit(*reg, m_limitTexts[i].toStdString());
    const NumberRange range = ValueRange(RegisterNumberFormat(*reg), RegisterValueBits(*reg));
    if (const std::optional<std::int64_t> next = value ? range.Step(*value, delta) : std::nullopt)
        Limit(limit)->Edit()->setText(QString::fromStdString(FormatValueText(ValueField(*next),
            RegisterNumberFormat(*reg), RegisterValueBits(*reg))));
    OnLimitChange(limit);
}
