#include "pages/ui/CCurvePropertyDlg.h"

#include "model/elements/CGraphElement.h"
#include "pages/GraphBoxRules.h"
#include "widgets/CSpinEdit.h"
#include "widgets/TabOrder.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kMaxDataPoints = kDisplayWidth - kMinDataPoints;
constexpr int kMaxSampleInterval = 0xFFFF;

// A number field followed by its unit.
QWidget* WithUnit(CSpinEdit* field, const QString& unit, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(field);
    row->addWidget(new QLabel(unit, box));
    return box;
}

} // namespace

CCurvePropertyDlg::CCurvePropertyDlg(CVX50TextDoc& document, QWidget* parent)
    : CGraphPropertyDlg(document, parent, GraphKind::Curve)
    , m_dataPoints(new CSpinEdit(kMinDataPoints, kMaxDataPoints, this))
    , m_sampleInterval(new CSpinEdit(1, kMaxSampleInterval, this))
{
    QHBoxLayout* frame = CreateFrame(QStringLiteral("折线图属性"));
    frame->addWidget(CreatePositionAndSizeGroup(), 0, Qt::AlignTop);
    frame->addWidget(CreateWordGroup(), 0, Qt::AlignTop);
    auto* look = new QVBoxLayout;
    look->addWidget(CreateFormatGroup());
    look->addWidget(CreateScaleGroup());
    auto* sampling = new QGroupBox(QStringLiteral("采样"), this);
    auto* form = new QFormLayout(sampling);
    form->addRow(QStringLiteral("数据采集:"), WithUnit(m_dataPoints, QStringLiteral("点"), sampling));
    form->addRow(QStringLiteral("采样间隔:"), WithUnit(m_sampleInterval, QStringLiteral("秒"), sampling));
    look->addWidget(sampling);
    look->addStretch();
    frame->addLayout(look);

    connect(m_dataPoints, &CSpinEdit::Edited, this, &CCurvePropertyDlg::OnDataPointsChange);
    // Refused data points stay in the field while the user types on.
    connect(m_dataPoints->Edit(), &QLineEdit::editingFinished, this, &CCurvePropertyDlg::ShowSampling);
    connect(m_sampleInterval, &CSpinEdit::Edited, this, &CCurvePropertyDlg::OnSampleIntervalChange);
    SetTabOrderByLayout(*this);
}

void CCurvePropertyDlg::LoadFromElement()
{
    if (!Graph())
        return;
    LoadGraph();
    ShowSampling();
}

void CCurvePropertyDlg::ShowSampling()
{
    if (const auto curve = Graph()) {
        m_dataPoints->SetValue(curve->GetDataPoints());
        m_sampleInterval->SetValue(curve->GetSampleInterval());
    }
}

void CCurvePropertyDlg::WidthChanged(CGraphElement& curve)
{
    curve.DataPoints = DataPointsForWidth(curve.DataPoints, curve.GetSize().width);
    curve.RebuildPreview();
    ShowSampling();
}

void CCurvePropertyDlg::OnDataPointsChange()
{
    const auto curve = Graph();
    if (!curve)
        return;
    const std::optional<int> points = m_dataPoints->ReadInteger();
    if (!points) {
        ShowSampling();
        return;
    }
    const std::optional<int> width = CurveWidthForDataPoints(curve->GetBox(), *points);
    if (!width)
        return;
    curve->SetSize(*width, curve->GetSize().height);
    curve->DataPoints = *points;
    curve->RebuildPreview();
    ShowSize();
    Commit(MarkModified | Snapshot | Repaint);
}

void CCurvePropertyDlg::OnSampleIntervalChange()
{
    const auto curve = Graph();
    if (!curve)
        return;
    const std::optional<int> seconds = m_sampleInterval->ReadInteger();
    if (!seconds || !SampleIntervalAccepted(*seconds)) {
        ShowSampling();
        return;
    }
    curve->SampleInterval = *seconds;
    Commit(MarkModified | Snapshot);
}
