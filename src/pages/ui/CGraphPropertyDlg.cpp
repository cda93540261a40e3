#include "pages/ui/CGraphPropertyDlg.h"

#include "base/GbkText.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CGraphElement.h"
#include "pages/GraphBoxRules.h"
#include "widgets/CElementNameCombo.h"
#include "widgets/CSpinEdit.h"
#include "widgets/CStepEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

AddressRules GraphRules()
{
    AddressRules rules;
    rules.types = {Word16ElementType, Word32ElementType};
    return rules;
}

GraphScales ScalesOf(const CGraphElement& graph)
{
    return {graph.Zero, graph.FullScale};
}

void SetScales(CGraphElement& graph, GraphScales scales)
{
    graph.Zero = scales.zero;
    graph.FullScale = scales.full;
}

NumberFormat FormatOf(const CGraphElement& graph)
{
    return RegisterNumberFormat(graph.IsHexBcd() != 0, graph.IsSigned() != 0);
}

int BitsOf(const CGraphElement& graph)
{
    return ValueBits(graph.WordSize, graph.RegisterCount());
}

QString ScaleText(std::int32_t field, const CGraphElement& graph)
{
    return QString::fromStdString(FormatValueText(field, FormatOf(graph), BitsOf(graph)));
}

} // namespace

CGraphPropertyDlg::CGraphPropertyDlg(CVX50TextDoc& document, QWidget* parent, GraphKind kind)
    : CAddressPropertyDlg(document, parent, GraphRules())
    , m_kind(kind)
    , m_width(new CSpinEdit(kMinGraphExtent, kDisplayWidth, this))
    , m_height(new CSpinEdit(kMinGraphExtent, kDisplayHeight, this))
    , m_registerCount(new CSpinEdit(1, 2, this))
    , m_hex(new QRadioButton(QStringLiteral("HEX/BCD"), this))
    , m_decimal(new QRadioButton(QStringLiteral("十进制"), this))
    , m_signed(new QCheckBox(QStringLiteral("有符号数"), this))
    , m_full(new CStepEdit(this))
    , m_zero(new CStepEdit(this))
{
    m_decimal->setChecked(true);
    m_full->FitAnyValue();
    m_zero->FitAnyValue();
    connect(m_width, &CSpinEdit::Edited, this, [this] { OnSizeChange(true); });
    connect(m_height, &CSpinEdit::Edited, this, [this] { OnSizeChange(false); });
    // A refused size stays in its field while the user types on.
    for (CSpinEdit* size : {m_width, m_height})
        connect(size->Edit(), &QLineEdit::editingFinished, this, &CGraphPropertyDlg::ShowSize);
    connect(m_registerCount, &CSpinEdit::Edited, this, &CGraphPropertyDlg::OnRegisterCountChange);
    connect(m_hex, &QRadioButton::clicked, this, &CGraphPropertyDlg::OnHexBcdClicked);
    connect(m_decimal, &QRadioButton::clicked, this, &CGraphPropertyDlg::OnDecimalClicked);
    connect(m_signed, &QCheckBox::clicked, this, &CGraphPropertyDlg::OnSignedClicked);
    for (const ScaleEnd end : {ScaleEnd::Full, ScaleEnd::Zero}) {
        connect(ScaleField(end), &CStepEdit::Edited, this, [this, end] { OnScaleEdited(end); });
        connect(ScaleField(end), &CStepEdit::Stepped, this, [this, end](int delta) { OnScaleStepped(end, delta); });
    }
}

std::shared_ptr<CGraphElement> CGraphPropertyDlg::Graph() const
{
    return Bound<CGraphElement>();
}

BoundAddress CGraphPropertyDlg::Address() const
{
    return BoundAddress::Of(Graph());
}

bool CGraphPropertyDlg::NeedsNextWord() const
{
    const auto graph = Graph();
    return graph && graph->RegisterCount() == 2;
}

QGroupBox* CGraphPropertyDlg::CreatePositionAndSizeGroup()
{
    QGroupBox* group = CreatePositionGroup();
    auto* form = static_cast<QFormLayout*>(group->layout());
    form->addRow(QStringLiteral("宽:"), m_width);
    form->addRow(QStringLiteral("高:"), m_height);
    return group;
}

QGroupBox* CGraphPropertyDlg::CreateWordGroup()
{
    auto* group = new QGroupBox(QStringLiteral("寄存器"), this);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("局号:"), CreateStationEdit());
    form->addRow(QStringLiteral("类型:"), TypeCombo());
    form->addRow(QStringLiteral("元件组名:"), GroupCombo());
    form->addRow(QStringLiteral("元件名称:"), NameCombo());
    form->addRow(QStringLiteral("寄存器个数:"), m_registerCount);
    return group;
}

QGroupBox* CGraphPropertyDlg::CreateFormatGroup()
{
    auto* group = new QGroupBox(QStringLiteral("格式"), this);
    auto* column = new QVBoxLayout(group);
    column->addWidget(m_hex);
    column->addWidget(m_decimal);
    column->addWidget(m_signed);
    return group;
}

QGroupBox* CGraphPropertyDlg::CreateScaleGroup()
{
    auto* group = new QGroupBox(QStringLiteral("额度"), this);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("满额度值:"), m_full);
    form->addRow(QStringLiteral("零额度值:"), m_zero);
    return group;
}

void CGraphPropertyDlg::LoadGraph()
{
    if (!Graph())
        return;
    LoadPosition();
    ShowSize();
    LoadAddressControls();
    ShowStation();
    ShowRegisterCount();
    ShowFormat();
    ShowScales();
}

void CGraphPropertyDlg::ShowSize()
{
    if (const auto graph = Graph()) {
        m_width->SetValue(graph->GetSize().width);
        m_height->SetValue(graph->GetSize().height);
    }
}

void CGraphPropertyDlg::ShowRegisterCount()
{
    if (const auto graph = Graph())
        m_registerCount->SetValue(graph->RegisterCount());
}

void CGraphPropertyDlg::ShowFormat()
{
    const auto graph = Graph();
    if (!graph)
        return;
    const bool hex = graph->IsHexBcd() != 0;
    m_hex->setChecked(hex);
    m_decimal->setChecked(!hex);
    m_signed->setEnabled(!hex);
    m_signed->setChecked(!hex && graph->IsSigned());
}

void CGraphPropertyDlg::ShowScales()
{
    const auto graph = Graph();
    if (!graph)
        return;
    m_fullText = ScaleText(graph->FullScale, *graph);
    m_zeroText = ScaleText(graph->Zero, *graph);
    m_full->PutBack(m_fullText);
    m_zero->PutBack(m_zeroText);
}

CStepEdit* CGraphPropertyDlg::ScaleField(ScaleEnd end) const
{
    return end == ScaleEnd::Full ? m_full : m_zero;
}

QString& CGraphPropertyDlg::KeptScaleText(ScaleEnd end)
{
    return end == ScaleEnd::Full ? m_fullText : m_zeroText;
}

bool CGraphPropertyDlg::FitScales(CGraphElement& graph)
{
    const GraphScales before = ScalesOf(graph);
    SetScales(graph, FitScalesToWidth(before, FormatOf(graph), BitsOf(graph)));
    graph.RebuildPreview();
    ShowRegisterCount();
    ShowScales();
    return ScalesOf(graph) != before;
}

void CGraphPropertyDlg::OnSizeChange(bool widthChanged)
{
    const auto graph = Graph();
    if (!graph)
        return;
    CSpinEdit* field = widthChanged ? m_width : m_height;
    const std::optional<int> value = field->ReadInteger();
    if (!value) {
        ShowSize();
        return;
    }
    const DotBox box = graph->GetBox();
    const bool fits = widthChanged ? GraphExtentFits(box.x, *value, kDisplayWidth)
                                   : GraphExtentFits(box.y, *value, kDisplayHeight);
    if (!fits)
        return;
    graph->SetSize(widthChanged ? *value : box.w, widthChanged ? box.h : *value);
    if (widthChanged)
        WidthChanged(*graph);
    Commit(MarkModified | Repaint | Snapshot);
}

void CGraphPropertyDlg::OnRegisterCountChange()
{
    const auto graph = Graph();
    if (!graph)
        return;
    // The bar's field holds its count to 1..2 with the range prompt; the
    // curve's takes any integer and the rule below puts back a wrong one.
    const std::optional<int> entered =
        m_kind == GraphKind::Curve ? m_registerCount->ReadInteger() : m_registerCount->ReadValue(1, 2);
    const bool nextWordExists = MayBindElementName(
        Document().AddressTable, Word16ElementType, graph->GroupName, graph->ElementName, true);
    const std::optional<int> count =
        entered ? GraphRegisterCount(*entered, graph->WordSize, nextWordExists) : std::nullopt;
    if (!count) {
        ShowRegisterCount();
        return;
    }
    const bool changed = *count != graph->RegisterCount();
    graph->SetRegisterCount(*count);
    // A 32-bit word is one register whatever is typed; its scales stay.
    const bool scalesChanged = graph->WordSize == Word16ElementType && FitScales(*graph);
    ShowRegisterCount();
    if (changed || scalesChanged)
        Commit(MarkModified | Repaint | Snapshot);
}

unsigned CGraphPropertyDlg::TypeChosen(bool changed, int)
{
    const auto graph = Graph();
    if (graph->WordSize == Word32ElementType)
        graph->SetRegisterCount(1);
    if (changed && m_kind == GraphKind::Curve)
        graph->AddressText = "0";
    const bool scalesChanged = FitScales(*graph);
    if (changed || scalesChanged)
        return MarkModified | Snapshot | Repaint | RefreshRow;
    return Repaint | RefreshRow;
}

unsigned CGraphPropertyDlg::GroupChosen(bool changed)
{
    const auto graph = Graph();
    if (changed) {
        // Another word starts with one register.
        graph->SetRegisterCount(1);
        FitScales(*graph);
        return MarkModified | Snapshot | Repaint | RefreshRow;
    }
    return Snapshot | RefreshRow;
}

void CGraphPropertyDlg::OnHexBcdClicked()
{
    const auto graph = Graph();
    if (graph && !graph->IsHexBcd())
        ChangeFormat(*graph, NumberFormat::Hex);
}

void CGraphPropertyDlg::OnDecimalClicked()
{
    const auto graph = Graph();
    if (graph && graph->IsHexBcd())
        ChangeFormat(*graph, NumberFormat::Unsigned);
}

void CGraphPropertyDlg::OnSignedClicked(bool checked)
{
    if (const auto graph = Graph())
        ChangeFormat(*graph, checked ? NumberFormat::Signed : NumberFormat::Unsigned);
}

void CGraphPropertyDlg::ChangeFormat(CGraphElement& graph, NumberFormat format)
{
    SetScales(graph, FitScalesToFormat(ScalesOf(graph), FormatOf(graph), format, BitsOf(graph), m_kind));
    graph.SetHexBcd(format == NumberFormat::Hex);
    graph.SetSigned(format == NumberFormat::Signed);
    graph.RebuildPreview();
    ShowFormat();
    ShowScales();
    Commit(MarkModified | Snapshot | Repaint);
}

void CGraphPropertyDlg::OnScaleEdited(ScaleEnd end)
{
    const auto graph = Graph();
    if (!graph)
        return;
    CStepEdit* field = ScaleField(end);
    const std::optional<std::int32_t> value =
        ReadScaleText(GbkFromQString(field->Text()), FormatOf(*graph), BitsOf(*graph));
    if (!value) {
        field->PutBack(KeptScaleText(end));
        return;
    }
    KeptScaleText(end) = field->Text();
    (end == ScaleEnd::Full ? graph->FullScale : graph->Zero) = *value;
    graph->RebuildPreview();
    Commit(MarkModified | Snapshot | Repaint);
}

void CGraphPropertyDlg::OnScaleStepped(ScaleEnd end, int delta)
{
    const auto graph = Graph();
    if (!graph)
        return;
    CStepEdit* field = ScaleField(end);
    const std::optional<std::int64_t> value = StepScaleText(GbkFromQString(field->Text()), delta, end,
        ScalesOf(*graph), FormatOf(*graph), BitsOf(*graph), m_kind);
    if (!value)
        return;
    field->PutBack(ScaleText(ValueField(*value), *graph));
    OnScaleEdited(end);
}
