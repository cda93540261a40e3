#include "pages/ui/CDynTextPropertyDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "devices/AddressLookup.h"
#include "devices/ElementTypeText.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CTextElement.h"
#include "pages/DisplayFit.h"
#include "pages/DynTextRules.h"
#include "widgets/CEditListCtrl.h"
#include "widgets/CElementNameCombo.h"
#include "widgets/CSpinEdit.h"
#include "widgets/InPlaceCellEdit.h"
#include "widgets/TabOrder.h"
#include "widgets/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int kGridWidth = 300;
constexpr int kGridHeight = 150;

AddressRules DynTextRules()
{
    AddressRules rules;
    rules.types = {BitElementType, Word16ElementType};
    return rules;
}

NumberFormat FormatOf(const CTextElement& text)
{
    return RegisterNumberFormat(text.IsHexBcd() != 0, text.IsSigned() != 0);
}

ValueFilter FilterOf(NumberFormat format)
{
    switch (format) {
    case NumberFormat::Hex:
        return ValueFilter::HexDigits;
    case NumberFormat::Signed:
        return ValueFilter::SignedDecimal;
    default:
        return ValueFilter::DecimalDigits;
    }
}

void Place(CTextElement& text, const DotBox& box)
{
    text.SetPosition(box.x, box.y);
    text.SetSize(box.w, box.h);
}

QGroupBox* Column(QWidget* parent, const QString& title, std::initializer_list<QWidget*> widgets)
{
    auto* group = new QGroupBox(title, parent);
    auto* column = new QVBoxLayout(group);
    for (QWidget* widget : widgets)
        column->addWidget(widget);
    return group;
}

} // namespace

CDynTextPropertyDlg::CDynTextPropertyDlg(CVX50TextDoc& document, QWidget* parent)
    : CAddressPropertyDlg(document, parent, DynTextRules())
    , m_doubleSize(new QCheckBox(QStringLiteral("倍角"), this))
    , m_inverse(new QCheckBox(QStringLiteral("反相"), this))
    , m_hex(new QRadioButton(QStringLiteral("HEX/BCD"), this))
    , m_decimal(new QRadioButton(QStringLiteral("十进制"), this))
    , m_signed(new QCheckBox(QStringLiteral("有符号数"), this))
    , m_grid(new CEditListCtrl(this))
{
    m_grid->AddColumn(QString(), 0, Qt::AlignCenter);
    m_grid->AddColumn(UiText(IdsValueColumnValue), kGridWidth / 4);
    m_grid->AddColumn(UiText(IdsValueColumnContent), kGridWidth / 2);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setRowCount(kDynTextGridRows);
    m_grid->setFixedSize(kGridWidth, kGridHeight);
    m_grid->SetFilterMode(ValueFilter::DecimalDigits);
    m_decimal->setChecked(true);

    QHBoxLayout* frame = CreateFrame(QStringLiteral("动态文本属性"));
    auto* left = new QVBoxLayout;
    left->addWidget(CreatePositionGroup());
    left->addWidget(Column(this, QStringLiteral("特性"), {m_doubleSize, m_inverse}));
    left->addWidget(Column(this, QStringLiteral("模式"), {m_hex, m_decimal, m_signed}));
    left->addStretch();
    frame->addLayout(left);

    auto* coil = new QGroupBox(QStringLiteral("线圈"), this);
    auto* coilForm = new QFormLayout(coil);
    coilForm->addRow(QStringLiteral("局号:"), CreateStationEdit());
    coilForm->addRow(QStringLiteral("类型:"), TypeCombo());
    coilForm->addRow(QStringLiteral("元件组名:"), GroupCombo());
    coilForm->addRow(QStringLiteral("元件名称:"), NameCombo());
    frame->addWidget(coil, 0, Qt::AlignTop);
    frame->addWidget(Column(this, QStringLiteral("显示文本"), {m_grid}), 0, Qt::AlignTop);

    connect(m_doubleSize, &QCheckBox::clicked, this, &CDynTextPropertyDlg::OnDoubleSize);
    connect(m_inverse, &QCheckBox::clicked, this, &CDynTextPropertyDlg::OnInverse);
    connect(m_hex, &QRadioButton::clicked, this, &CDynTextPropertyDlg::OnHexBcd);
    connect(m_decimal, &QRadioButton::clicked, this, &CDynTextPropertyDlg::OnDecimal);
    connect(m_signed, &QCheckBox::clicked, this, &CDynTextPropertyDlg::OnSignedCheck);
    connect(m_grid, &CEditListCtrl::leftButtonPressed, this, &CDynTextPropertyDlg::OnGridPress);
    connect(m_grid, &CEditListCtrl::cellTextChanged, this, &CDynTextPropertyDlg::OnCellTextChanged);
    SetTabOrderByLayout(*this);
}

BoundAddress CDynTextPropertyDlg::Address() const
{
    return BoundAddress::Of(Bound<CTextElement>());
}

void CDynTextPropertyDlg::LoadFromElement()
{
    const auto text = Bound<CTextElement>();
    m_grid->SetDynamicText(text ? static_cast<DynamicTextRows*>(this) : nullptr);
    if (!text)
        return;
    m_doubleSize->setChecked(text->GetDoubleSize() != 0);
    LoadPosition();
    m_inverse->setChecked(text->IsInverse() != 0);
    FillTextList();
    LoadFormat();
    LoadAddressControls();
    ShowStation();
}

void CDynTextPropertyDlg::LoadAddressControls()
{
    CAddressPropertyDlg::LoadAddressControls();
    if (const auto text = Bound<CTextElement>())
        m_grid->SetBitShading(text->WordSize == BitElementType);
}

void CDynTextPropertyDlg::LoadNewElement()
{
    CAddressPropertyDlg::LoadNewElement();
    ApplyPresetText();
}

void CDynTextPropertyDlg::ApplyPresetText()
{
    const auto text = Bound<CTextElement>();
    if (!text)
        return;
    const AddressTable& table = Document().AddressTable;
    const PresetAddress address{text->GroupName, FindElementAddress(table, text->GroupName, text->ElementName),
        FindElementBit(table, text->GroupName, text->ElementName)};
    const DotBox box = text->GetBox();
    if (auto preset = PresetLayout(Document().PresetTexts, address, text->IsSigned() != 0,
            text->GetDoubleSize() != 0, box)) {
        text->SetEntries(std::move(preset->entries));
        Place(*text, preset->box);
        text->SetStateMode(0);
    } else {
        Place(*text, ResizeOnDisplay(box, text->GetSize()).value_or(box));
    }
    LoadPosition();
    FillTextList();
}

void CDynTextPropertyDlg::NameBound()
{
    // The preset comes first, so that the snapshot holds it.
    ApplyPresetText();
    Commit(Snapshot);
}

bool CDynTextPropertyDlg::TakeOverPreset()
{
    const auto text = Bound<CTextElement>();
    const std::vector<DynTextEntry> entries = text->Entries();
    const DotBox box = text->GetBox();
    ApplyPresetText();
    return text->Entries() != entries || text->GetBox() != box;
}

unsigned CDynTextPropertyDlg::TypeChosen(bool changed, int)
{
    const auto text = Bound<CTextElement>();
    const bool bit = text->WordSize == BitElementType;
    m_grid->SetBitShading(bit);
    bool entriesChanged = false;
    if (bit) {
        std::vector<DynTextEntry> entries = BitTypeEntries(text->Entries());
        entriesChanged = entries != text->Entries();
        text->SetEntries(std::move(entries));
    }
    entriesChanged |= TakeOverPreset();
    if (changed || entriesChanged)
        return MarkModified | Snapshot | RefreshRow;
    return RefreshRow;
}

unsigned CDynTextPropertyDlg::GroupChosen(bool)
{
    unsigned commit = Snapshot | RefreshRow;
    if (TakeOverPreset())
        commit |= MarkModified;
    return commit;
}

void CDynTextPropertyDlg::keyPressEvent(QKeyEvent* event)
{
    event->accept();
}

int CDynTextPropertyDlg::EntryCount() const
{
    const auto text = Bound<CTextElement>();
    return text ? text->GetEntryCount() : 0;
}

void CDynTextPropertyDlg::AppendEmptyEntry()
{
    if (const auto text = Bound<CTextElement>()) {
        text->AddState("", "");
        Commit(MarkModified);
    }
}

void CDynTextPropertyDlg::SetEntryValue(int index, const std::string& value)
{
    const auto text = Bound<CTextElement>();
    if (text && index >= 0 && index < text->GetEntryCount()) {
        text->SetState(index, text->GetStateText(index), value);
        Commit(MarkModified);
    }
}

int CDynTextPropertyDlg::WordSize() const
{
    const auto text = Bound<CTextElement>();
    return text ? text->WordSize : BitElementType;
}

void CDynTextPropertyDlg::FillTextList()
{
    const auto text = Bound<CTextElement>();
    if (!text)
        return;
    const NumberFormat format = FormatOf(*text);
    const std::vector<DynTextEntry>& entries = text->Entries();
    for (int row = 0; row < kDynTextGridRows; ++row) {
        const bool hasEntry = row < static_cast<int>(entries.size());
        const DynTextEntry entry = hasEntry ? entries[static_cast<std::size_t>(row)] : DynTextEntry{};
        m_grid->SetCellText(row, ValueColumn, QString::fromStdString(ShownEntryValue(entry.value, format)));
        m_grid->SetCellText(row, TextColumn, QStringFromGbk(entry.text));
    }
}

void CDynTextPropertyDlg::LoadFormat()
{
    const auto text = Bound<CTextElement>();
    if (!text)
        return;
    const bool hex = text->IsHexBcd() != 0;
    m_hex->setChecked(hex);
    m_decimal->setChecked(!hex);
    m_signed->setEnabled(!hex);
    m_signed->setChecked(!hex && text->IsSigned());
    m_grid->SetFilterMode(FilterOf(FormatOf(*text)));
}

void CDynTextPropertyDlg::OnDoubleSize(bool checked)
{
    const auto text = Bound<CTextElement>();
    if (!text)
        return;
    const bool wasDouble = text->GetDoubleSize() != 0;
    if (checked && !wasDouble) {
        DynTextLayout doubled = DoubleDynText(text->Entries(), text->GetBox());
        text->SetEntries(std::move(doubled.entries));
        Place(*text, doubled.box);
    } else if (!checked && wasDouble) {
        const DotSize size = text->GetSize();
        text->SetSize(size.width / 2, size.height / 2);
    }
    text->SetDoubleSize(checked ? 1 : 0);
    ShowPosition(text->GetPosition());
    FillTextList();
    Commit(MarkModified | Snapshot | Repaint);
}

void CDynTextPropertyDlg::OnInverse(bool checked)
{
    const auto text = Bound<CTextElement>();
    if (!text)
        return;
    text->SetInverse(checked ? 1 : 0);
    Commit(MarkModified | Snapshot | Repaint);
}

void CDynTextPropertyDlg::OnHexBcd()
{
    const auto text = Bound<CTextElement>();
    if (!text)
        return;
    const bool changed = text->IsHexBcd() == 0;
    text->SetHexBcd(1);
    LoadFormat();
    FillTextList();
    if (changed)
        Commit(MarkModified | Snapshot);
}

void CDynTextPropertyDlg::OnDecimal()
{
    const auto text = Bound<CTextElement>();
    // A signed text is decimal already.
    if (!text || text->IsSigned())
        return;
    std::vector<DynTextEntry> entries = EntriesInUnsignedDecimal(text->Entries());
    const bool changed = text->IsHexBcd() != 0 || entries != text->Entries();
    text->SetEntries(std::move(entries));
    text->SetHexBcd(0);
    LoadFormat();
    FillTextList();
    if (changed)
        Commit(MarkModified | Snapshot);
}

void CDynTextPropertyDlg::OnSignedCheck(bool checked)
{
    const auto text = Bound<CTextElement>();
    if (!text)
        return;
    text->SetSigned(checked ? 1 : 0);
    LoadFormat();
    FillTextList();
    Commit(MarkModified | Snapshot);
}

void CDynTextPropertyDlg::OnGridPress(const QPoint& point)
{
    const auto text = Bound<CTextElement>();
    if (!text)
        return;
    int column = 0;
    const int row = m_grid->HitTestCell(point, &column);
    if (row < 0)
        return;
    std::vector<DynTextEntry> entries = text->Entries();
    const bool edit = PrepareCellEdit(entries, text->WordSize, row, column);
    if (entries != text->Entries()) {
        text->SetEntries(entries);
        FillTextList();
        Commit(MarkModified);
    }
    if (!edit)
        return;
    if (column == TextColumn) {
        text->SetStateMode(row);
        RepaintCanvas();
    } else {
        m_grid->SetSavedText(QString::fromStdString(entries[static_cast<std::size_t>(row)].value));
    }
    // With repeated values an open editor only closes (and warns).
    if (m_grid->CurrentEditor() && text->WordSize != BitElementType && m_grid->HasRepeatedValues()) {
        m_grid->EndEdit();
        return;
    }
    m_grid->EditCell(row, column);
}

void CDynTextPropertyDlg::OnCellTextChanged(const QString& typed, int row, int column)
{
    const auto text = Bound<CTextElement>();
    if (!text || row < 0 || row >= text->GetEntryCount())
        return;
    InPlaceCellEdit* editor = m_grid->CurrentEditor();
    const bool opening = editor != m_reportingEditor;
    m_reportingEditor = editor;
    if (opening) {
        // The editor reports the text it opened with: nothing changed.
        if (column == ValueColumn) {
            m_grid->SetSavedText(QString::fromStdString(text->GetStateValue(row)));
        } else {
            text->SetStateMode(row);
            RepaintCanvas();
        }
        return;
    }
    if (column == TextColumn) {
        if (!TakeEntryText(*text, GbkFromQString(typed), row))
            return;
    } else {
        TakeEntryValue(*text, GbkFromQString(typed), row);
    }
    EndCellChange(*text);
}

bool CDynTextPropertyDlg::TakeEntryText(CTextElement& text, const std::string& typed, int row)
{
    const bool doubleSize = text.GetDoubleSize() != 0;
    std::vector<DynTextEntry> entries = text.Entries();
    DynTextEntry& entry = entries[static_cast<std::size_t>(row)];
    if (!MayTakeEntryText(entries, row, typed, doubleSize)) {
        PutBackIntoEditor(QStringFromGbk(entry.text));
        return false;
    }
    entry.text = typed;
    text.SetSize(DynTextWidth(entries, doubleSize), text.GetSize().height);
    text.SetEntries(std::move(entries));
    text.SetStateMode(row);
    return true;
}

void CDynTextPropertyDlg::TakeEntryValue(CTextElement& text, const std::string& typed, int row)
{
    const NumberFormat format = FormatOf(text);
    const DynTextEntry entry = text.GetState(row);
    std::string value = entry.value;
    if (const std::optional<std::string> stored = StoredEntryValue(typed, format)) {
        // An entry with a text keeps its value when the cell is emptied.
        if (!stored->empty() || entry.text.empty())
            text.SetState(row, entry.text, *stored);
        value = *stored;
    } else {
        PutBackIntoEditor(QString::fromStdString(ShownEntryValue(entry.value, format)));
    }
    m_grid->SetSavedText(QString::fromStdString(value));
}

void CDynTextPropertyDlg::PutBackIntoEditor(const QString& text)
{
    if (InPlaceCellEdit* editor = m_grid->CurrentEditor()) {
        const QSignalBlocker quiet(editor);
        editor->setText(text);
    }
}

void CDynTextPropertyDlg::EndCellChange(CTextElement& text)
{
    const DotBox box = text.GetBox();
    const int x = PullInside(box.x, box.w, kDisplayWidth);
    if (x != box.x) {
        text.SetPosition(x, box.y);
        ShowPosition(text.GetPosition());
    }
    Commit(MarkModified | Snapshot | Repaint);
}
