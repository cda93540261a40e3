#include "devices/ui/CPresetTextDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "devices/AddressChoices.h"
#include "devices/ElementTypeText.h"
#include "devices/PresetTextFile.h"
#include "devices/ui/GbkCombo.h"
#include "model/CVX50TextDoc.h"
#include "widgets/CEditListCtrl.h"
#include "widgets/CElementNameCombo.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QVBoxLayout>

namespace {

constexpr int kValueColumn = 1;
constexpr int kTextColumn = 2;

ValueFilter FilterOf(NumberFormat type)
{
    switch (type) {
    case NumberFormat::Hex:
        return ValueFilter::HexDigits;
    case NumberFormat::Signed:
        return ValueFilter::SignedDecimal;
    case NumberFormat::Unsigned:
        break;
    }
    return ValueFilter::DecimalDigits;
}

} // namespace

CPresetTextDlg::CPresetTextDlg(CVX50TextDoc& document, QWidget* parent)
    : QDialog(parent)
    , m_document(document)
    , m_type(new QComboBox(this))
    , m_group(new QComboBox(this))
    , m_name(new CElementNameCombo(this))
    , m_valueType(new QComboBox(this))
    , m_grid(new CEditListCtrl(this))
{
    setWindowTitle(QStringLiteral("预设动态文本"));
    m_type->setObjectName(QStringLiteral("elementType"));
    m_group->setObjectName(QStringLiteral("elementGroup"));
    m_name->setObjectName(QStringLiteral("elementName"));
    m_valueType->setObjectName(QStringLiteral("valueType"));
    m_grid->setObjectName(QStringLiteral("grid"));
    for (QComboBox* combo : {m_type, m_group, static_cast<QComboBox*>(m_name), m_valueType})
        combo->setMinimumContentsLength(12);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("元件类型:"), m_type);
    form->addRow(QStringLiteral("元件组:"), m_group);
    form->addRow(QStringLiteral("元件名:"), m_name);
    form->addRow(QStringLiteral("数值类型:"), m_valueType);

    // Column 0 is never shown; the value column takes a quarter of the rest.
    constexpr int gridWidth = 320;
    m_grid->AddColumn(QString(), 0, Qt::AlignCenter);
    m_grid->AddColumn(QStringLiteral("数值"), gridWidth / 4);
    m_grid->AddColumn(QStringLiteral("内容"), gridWidth - gridWidth / 4 - 24);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setMinimumSize(gridWidth, 300);
    m_grid->SetDynamicTextMode(false);

    auto* buttons = OkCancelButtons(this, [this] { OnOK(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_grid, 1);
    layout->addWidget(buttons);

    m_name->SetBinding({
        [] { return true; },
        [this] { return GroupElementNames(m_document.AddressTable, m_kind, m_currentGroup); },
        [this] { return m_currentElement; },
        [this](const std::string& name) {
            m_currentElement = name;
            return true;
        },
    });
    connect(m_name, &CElementNameCombo::NameChosen, this, &CPresetTextDlg::OnNameChosen);
    connect(m_type, &QComboBox::activated, this, &CPresetTextDlg::OnElementTypeChange);
    connect(m_group, &QComboBox::activated, this, &CPresetTextDlg::OnGroupSelChange);
    connect(m_valueType, &QComboBox::activated, this, &CPresetTextDlg::OnValueTypeChange);
    connect(m_grid, &CEditListCtrl::leftButtonPressed, this, &CPresetTextDlg::OnLButtonDown);
    connect(m_grid, &CEditListCtrl::cellTextChanged, this, &CPresetTextDlg::OnCellEditEnd);

    OnInitDialog();
    SetTabOrderByLayout(*this);
}

void CPresetTextDlg::OnInitDialog()
{
    m_working = m_document.PresetTexts;
    FillGbkCombo(m_valueType, {"HEX", GbkFromUtf8("无符号"), GbkFromUtf8("有符号")}, 1);
    FillGbkCombo(m_type, {ElementTypeText(0), ElementTypeText(16)});
    m_kind = 0;
    m_grid->SetBitShading(true);
    m_grid->SetTwoRowLimit(true);

    const TypeChoice choice = ChooseElementType(m_document.AddressTable, m_kind);
    FillGbkCombo(m_group, choice.groups);
    m_currentGroup = m_shownGroup = choice.names.group;
    m_currentElement = m_shownElement = choice.names.element;
    m_name->ShowNameAlone(m_currentElement);
    LoadEntryToList();
}

void CPresetTextDlg::ShowValueType(NumberFormat type)
{
    m_valueType->setCurrentIndex(static_cast<int>(type));
    m_displayType = type;
    m_grid->SetFilterMode(FilterOf(type));
}

void CPresetTextDlg::ClearRows()
{
    m_grid->clearContents();
    m_grid->setRowCount(kPresetTextRows);
}

std::vector<PresetTextRow> CPresetTextDlg::Rows() const
{
    const std::vector<std::string> values = m_grid->ColumnTexts(kValueColumn, kPresetTextRows);
    const std::vector<std::string> texts = m_grid->ColumnTexts(kTextColumn, kPresetTextRows);
    std::vector<PresetTextRow> rows;
    for (std::size_t r = 0; r < values.size() && r < texts.size(); ++r)
        rows.push_back({values[r], texts[r]});
    return rows;
}

void CPresetTextDlg::LoadEntryToList()
{
    ClearRows();
    const auto key = PresetTextKeyOf(m_document.AddressTable, m_currentGroup, m_currentElement);
    if (const PresetText* preset = FindShownPresetText(m_working, key)) {
        const NumberFormat type = NumberFormatOfCode(preset->ValueType);
        const std::vector<PresetTextRow> rows = PresetTextRows(*preset, type);
        for (int r = 0; r < static_cast<int>(rows.size()) && r < kPresetTextRows; ++r) {
            m_grid->SetCellText(r, kValueColumn, QStringFromGbk(rows[r].value));
            m_grid->SetCellText(r, kTextColumn, QStringFromGbk(rows[r].text));
        }
        ShowValueType(type);
    } else {
        ShowValueType(NumberFormat::Unsigned);
    }
    if (IsBitElement())
        m_grid->SetCellText(0, kValueColumn, QStringLiteral("0"));
    m_grid->viewport()->update();
}

void CPresetTextDlg::StoreListToEntry(const std::string& group, const std::string& element)
{
    StorePresetTextRows(m_working, PresetTextKeyOf(m_document.AddressTable, group, element),
        m_valueType->currentIndex(), Rows(), m_displayType);
}

void CPresetTextDlg::SwitchGrid()
{
    StoreListToEntry(m_shownGroup, m_shownElement);
    m_shownGroup = m_currentGroup;
    m_shownElement = m_currentElement;
    LoadEntryToList();
}

void CPresetTextDlg::OnLButtonDown(const QPoint& point)
{
    m_gridTouched = true;
    int column = 0;
    const int row = m_grid->HitTestCell(point, &column);
    if (row < 0 || column == 0)
        return;
    const bool valueEmpty = m_grid->CellText(row, kValueColumn).isEmpty();
    if (IsBitElement()) {
        // A bit has the texts of its values 0 and 1 only.
        if (row > 1 || column != kTextColumn)
            return;
        if (row == 1 && valueEmpty)
            m_grid->SetCellText(1, kValueColumn, QStringLiteral("1"));
    } else if (column == kTextColumn && valueEmpty) {
        return;
    }
    if (column == kValueColumn) {
        const QString cell = m_grid->CellText(row, kValueColumn);
        const auto value = ParsePresetTextValue(GbkFromQString(cell), m_displayType);
        const bool hex = m_displayType == NumberFormat::Hex;
        m_grid->SetSavedText(hex && value && !cell.isEmpty() ? QString::number(*value) : cell);
    } else {
        m_lastText = GbkFromQString(m_grid->CellText(row, kTextColumn));
    }
    // While an edit leaves two equal values, no other cell opens; the ending
    // editor warns.
    if (!IsBitElement() && m_grid->CurrentEditor() && m_grid->HasRepeatedValues()) {
        setFocus();
        return;
    }
    m_grid->EditCell(row, column);
}

void CPresetTextDlg::OnCellEditEnd(const QString& text, int row, int column)
{
    Q_UNUSED(row);
    InPlaceCellEdit* editor = m_grid->CurrentEditor();
    const std::string typed = GbkFromQString(text);
    if (column == kTextColumn) {
        if (FitsPresetText(typed))
            m_lastText = typed;
        else if (editor)
            editor->setText(QStringFromGbk(m_lastText));
        return;
    }
    if (const auto value = ParsePresetTextValue(typed, m_displayType)) {
        const bool hex = m_displayType == NumberFormat::Hex;
        m_grid->SetSavedText(hex && !text.isEmpty() ? QString::number(*value) : text);
        return;
    }
    // Refused: the editor goes back to the last accepted value, in HEX
    // written in hexadecimal again.
    QString fallback = m_grid->SavedText();
    if (m_displayType == NumberFormat::Hex && !fallback.isEmpty())
        fallback = QStringFromGbk(FormatValueText(fallback.toInt() & 0xFFFF, NumberFormat::Hex, 16));
    if (editor)
        editor->setText(fallback);
}

void CPresetTextDlg::OnElementTypeChange(int index)
{
    const int kind = index == 1 ? 16 : 0;
    m_grid->SetBitShading(kind == 0);
    m_grid->SetTwoRowLimit(kind == 0);
    if (kind == m_kind)
        return;
    m_kind = kind;
    // Elements of the other type would keep their names: with no group of
    // this type, no element is chosen.
    const TypeChoice choice = ChooseElementType(m_document.AddressTable, m_kind);
    FillGbkCombo(m_group, choice.groups);
    m_currentGroup = choice.names.group;
    m_currentElement = choice.names.element;
    m_name->ShowNameAlone(m_currentElement);
    StoreListToEntry(m_shownGroup, m_shownElement);
    m_shownGroup = m_currentGroup;
    m_shownElement = m_currentElement;
    LoadEntryToList();
}

void CPresetTextDlg::OnGroupSelChange(int index)
{
    if (index < 0)
        return;
    m_currentGroup = GbkItemText(m_group, index);
    if (m_currentGroup == m_shownGroup)
        return;
    // A group without elements leaves no element chosen.
    m_currentElement = FirstElementName(m_document.AddressTable, m_kind, m_currentGroup);
    m_name->ShowNameAlone(m_currentElement);
    SwitchGrid();
}

void CPresetTextDlg::OnNameChosen()
{
    m_document.ProjectModified = 1;
    if (m_currentElement != m_shownElement)
        SwitchGrid();
}

void CPresetTextDlg::OnValueTypeChange(int index)
{
    const NumberFormat type = NumberFormatOfCode(index);
    m_grid->SetFilterMode(FilterOf(type));
    // The rows are read in the type they were typed in and stored with the
    // new one, then shown in it.
    StoreListToEntry(m_currentGroup, m_currentElement);
    LoadEntryToList();
    ShowValueType(type);
}

void CPresetTextDlg::OnOK()
{
    if (!m_gridTouched) {
        accept();
        return;
    }
    if (m_currentGroup.empty() || m_currentElement.empty()) {
        CurrentUi().ShowMessage(IdsGroupOrElementNameEmpty);
        return;
    }
    StoreListToEntry(m_currentGroup, m_currentElement);
    if (!WriteDevicePresetTexts(m_document.DeviceName, m_working)) {
        CurrentUi().ShowMessage(IdsPresetFileNotWritten, MbOk | MbIconWarning);
        return;
    }
    m_document.PresetTexts = m_working;
    m_document.ProjectModified = 1;
    accept();
}
