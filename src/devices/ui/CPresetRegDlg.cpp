#include "devices/ui/CPresetRegDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "devices/AddressChoices.h"
#include "devices/AddressLookup.h"
#include "devices/ElementTypeText.h"
#include "devices/PresetRegisterFile.h"
#include "devices/ui/GbkCombo.h"
#include "model/CVX50TextDoc.h"
#include "widgets/CElementNameCombo.h"
#include "widgets/CSpinEdit.h"
#include "widgets/CStepEdit.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr std::array<PresetLimit, 4> kLimits = {
    PresetLimit::RawUpper, PresetLimit::RawLower, PresetLimit::EngUpper, PresetLimit::EngLower};

} // namespace

CPresetRegDlg::CPresetRegDlg(CVX50TextDoc& document, QWidget* parent)
    : QDialog(parent)
    , m_document(document)
    , m_type(new QComboBox(this))
    , m_group(new QComboBox(this))
    , m_name(new CElementNameCombo(this))
    , m_digits(new CSpinEdit(1, 5, this))
    , m_decimals(new CSpinEdit(0, 5, this))
    , m_count(new CSpinEdit(1, 2, this))
    , m_valueType(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("预设寄存器"));
    m_type->setObjectName(QStringLiteral("elementType"));
    m_group->setObjectName(QStringLiteral("elementGroup"));
    m_name->setObjectName(QStringLiteral("elementName"));
    m_valueType->setObjectName(QStringLiteral("valueType"));
    for (QComboBox* combo : {m_type, m_group, static_cast<QComboBox*>(m_name), m_valueType})
        combo->setMinimumContentsLength(12);
    for (std::size_t k = 0; k < m_ranges.size(); ++k) {
        m_ranges[k] = new CStepEdit(this);
        m_ranges[k]->FitAnyValue();
    }

    auto* element = new QFormLayout;
    element->addRow(QStringLiteral("元件类型:"), m_type);
    element->addRow(QStringLiteral("元件组:"), m_group);
    element->addRow(QStringLiteral("元件名:"), m_name);

    auto* valueBox = new QGroupBox(QStringLiteral("寄存器数值属性"), this);
    auto* values = new QFormLayout(valueBox);
    values->addRow(QStringLiteral("位数:"), m_digits);
    values->addRow(QStringLiteral("小数位数:"), m_decimals);
    values->addRow(QStringLiteral("寄存器个数:"), m_count);
    values->addRow(QStringLiteral("数值类型:"), m_valueType);

    auto* rangeBox = new QGroupBox(QStringLiteral("范围设定"), this);
    auto* ranges = new QFormLayout(rangeBox);
    ranges->addRow(QStringLiteral("原始数据上限:"), RangeBox(PresetLimit::RawUpper));
    ranges->addRow(QStringLiteral("原始数据下限:"), RangeBox(PresetLimit::RawLower));
    ranges->addRow(QStringLiteral("工程量上限:"), RangeBox(PresetLimit::EngUpper));
    ranges->addRow(QStringLiteral("工程量下限:"), RangeBox(PresetLimit::EngLower));

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(valueBox);
    boxes->addWidget(rangeBox);

    auto* buttons = OkCancelButtons(this, [this] { OnOK(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(element);
    layout->addLayout(boxes);
    layout->addWidget(buttons);

    m_name->SetBinding({
        [] { return true; },
        [this] { return GroupElementNames(m_document.AddressTable, m_values.elementType, m_shownGroup); },
        [this] { return m_shownElement; },
        [this](const std::string& name) {
            m_shownElement = name;
            return true;
        },
    });
    connect(m_name, &CElementNameCombo::NameChosen, this, &CPresetRegDlg::OnNameChosen);
    connect(m_type, &QComboBox::activated, this, &CPresetRegDlg::OnElementTypeChange);
    connect(m_group, &QComboBox::activated, this, &CPresetRegDlg::OnGroupChange);
    connect(m_valueType, &QComboBox::activated, this, &CPresetRegDlg::OnValueTypeChange);
    connect(m_digits, &CSpinEdit::Edited, this, &CPresetRegDlg::OnDigitsChange);
    connect(m_decimals, &CSpinEdit::Edited, this, &CPresetRegDlg::OnDecimalsChange);
    connect(m_count, &CSpinEdit::Edited, this, &CPresetRegDlg::OnRegisterCountChange);
    for (const PresetLimit which : kLimits) {
        connect(RangeBox(which), &CStepEdit::Edited, this, [this, which] { OnRangeChange(which); });
        connect(RangeBox(which), &CStepEdit::Stepped, this, [this, which](int delta) { OnRangeSpin(which, delta); });
    }

    OnInitDialog();
    SetTabOrderByLayout(*this);
}

void CPresetRegDlg::OnInitDialog()
{
    FillGbkCombo(m_type, {ElementTypeText(16), ElementTypeText(32)});
    FillGbkCombo(m_valueType, {"HEX", GbkFromUtf8("无符号"), GbkFromUtf8("有符号")}, 1);
    m_working = m_document.PresetRegisters;
    m_values = DefaultPresetValues(16);
    const TypeChoice choice = ChooseElementType(m_document.AddressTable, 16);
    FillGbkCombo(m_group, choice.groups);
    m_shownGroup = m_loadedGroup = choice.names.group;
    m_shownElement = m_loadedElement = choice.names.element;
    m_name->ShowNameAlone(m_shownElement);
    LoadEntry();
}

void CPresetRegDlg::Refresh()
{
    const int maxDigits = m_values.MaxDigits();
    const bool hex = m_values.valueType == NumberFormat::Hex;
    m_digits->SetRange(1, maxDigits);
    m_decimals->SetRange(0, hex ? 0 : maxDigits);
    m_decimals->setEnabled(!hex);
    m_digits->SetValue(m_values.digits);
    m_decimals->SetValue(m_values.decimals);
    m_count->SetValue(m_values.registerCount);
    m_valueType->setCurrentIndex(static_cast<int>(m_values.valueType));
    for (const PresetLimit which : kLimits) {
        QLineEdit* edit = RangeBox(which)->Edit();
        const QString text = QStringFromGbk(m_rangeTexts[static_cast<std::size_t>(which)]);
        if (edit->text() != text)
            edit->setText(text);
    }
}

void CPresetRegDlg::StoreEntry(const std::string& group, const std::string& element)
{
    if (group.empty() || element.empty())
        return;
    StorePresetRegister(m_working, group, FindElementAddress(m_document.AddressTable, group, element), m_values);
}

void CPresetRegDlg::LoadEntry()
{
    const int address = FindElementAddress(m_document.AddressTable, m_shownGroup, m_shownElement);
    m_values = LoadPresetRegister(m_working, m_shownGroup, address, m_values);
    for (const PresetLimit which : kLimits)
        m_rangeTexts[static_cast<std::size_t>(which)] = PresetLimitText(m_values, which);
    Refresh();
}

void CPresetRegDlg::SwitchElement()
{
    StoreEntry(m_loadedGroup, m_loadedElement);
    m_loadedGroup = m_shownGroup;
    m_loadedElement = m_shownElement;
    LoadEntry();
}

void CPresetRegDlg::OnElementTypeChange(int index)
{
    StoreEntry(m_loadedGroup, m_loadedElement);
    const int type = index == 1 ? 32 : 16;
    if (type == m_values.elementType)
        return;
    const TypeChoice choice = ChooseElementType(m_document.AddressTable, type);
    FillGbkCombo(m_group, choice.groups);
    m_shownGroup = choice.names.group;
    m_shownElement = choice.names.element;
    m_name->ShowNameAlone(m_shownElement);
    m_values.elementType = type;
    m_values.registerCount = 1;
    m_loadedGroup = m_shownGroup;
    m_loadedElement = m_shownElement;
    LoadEntry();
}

void CPresetRegDlg::OnGroupChange(int index)
{
    if (index < 0)
        return;
    m_shownGroup = GbkItemText(m_group, index);
    if (m_shownGroup == m_loadedGroup)
        return;
    // A group without elements leaves no element chosen.
    m_shownElement = FirstElementName(m_document.AddressTable, m_values.elementType, m_shownGroup);
    m_name->ShowNameAlone(m_shownElement);
    SwitchElement();
}

void CPresetRegDlg::OnNameChosen()
{
    m_document.ProjectModified = 1;
    if (m_shownElement != m_loadedElement)
        SwitchElement();
}

void CPresetRegDlg::OnDigitsChange()
{
    const std::optional<int> digits = m_digits->ReadInteger();
    if (!digits || !SetPresetDigits(m_values, *digits))
        m_digits->SetValue(m_values.digits);
    else
        m_decimals->SetValue(m_values.decimals);
}

void CPresetRegDlg::OnDecimalsChange()
{
    const std::optional<int> decimals = m_decimals->ReadInteger();
    if (!decimals || !SetPresetDecimals(m_values, *decimals))
        m_decimals->SetValue(m_values.decimals);
    else
        m_digits->SetValue(m_values.digits);
}

void CPresetRegDlg::OnRegisterCountChange()
{
    const std::optional<int> count = m_count->ReadInteger();
    const bool nextWord = MayBindElementName(m_document.AddressTable, m_values.elementType, m_loadedGroup,
        m_loadedElement, true);
    if (count && SetPresetRegisterCount(m_values, *count, nextWord)) {
        for (const PresetLimit which : kLimits)
            m_rangeTexts[static_cast<std::size_t>(which)] = PresetLimitText(m_values, which);
    }
    Refresh();
}

void CPresetRegDlg::OnValueTypeChange(int index)
{
    SetPresetValueType(m_values, NumberFormatOfCode(index));
    for (const PresetLimit which : kLimits)
        m_rangeTexts[static_cast<std::size_t>(which)] = PresetLimitText(m_values, which);
    Refresh();
}

void CPresetRegDlg::OnRangeChange(PresetLimit which)
{
    // The box has upper-cased the typed text.
    CStepEdit* box = RangeBox(which);
    const std::string text = GbkFromQString(box->Text());
    const std::optional<std::int64_t> value = CheckRange(text, m_values);
    m_document.ProjectModified = 1;
    std::string& accepted = m_rangeTexts[static_cast<std::size_t>(which)];
    if (!value) {
        box->PutBack(QStringFromGbk(accepted));
        return;
    }
    accepted = text;
    m_values.Limit(which) = *value;
}

void CPresetRegDlg::OnRangeSpin(PresetLimit which, int delta)
{
    CStepEdit* box = RangeBox(which);
    const std::int64_t from = CheckRange(GbkFromQString(box->Text()), m_values).value_or(m_values.Limit(which));
    if (const auto stepped = ValueRange(m_values.valueType, m_values.Bits()).Step(from, delta)) {
        m_values.Limit(which) = *stepped;
        box->PutBack(QStringFromGbk(PresetLimitText(m_values, which)));
    }
    // The box's check runs also when no step was taken.
    OnRangeChange(which);
}

void CPresetRegDlg::OnOK()
{
    if (m_loadedGroup.empty() || m_loadedElement.empty()) {
        CurrentUi().ShowMessage(IdsGroupOrElementNameEmpty);
        return;
    }
    StoreEntry(m_loadedGroup, m_loadedElement);
    if (!WriteDevicePresetRegisters(m_document.DeviceName, m_working)) {
        CurrentUi().ShowMessage(IdsPresetFileNotWritten, MbOk | MbIconWarning);
        return;
    }
    m_document.PresetRegisters = m_working;
    m_document.ProjectModified = 1;
    accept();
}
