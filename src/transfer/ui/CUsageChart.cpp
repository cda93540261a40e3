#include "transfer/ui/CUsageChart.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/StringTable.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int kPie = 2;

const QColor FrameColour(214, 211, 206);

const std::array<QColor, kChartValueCount> SeriesColours = {
    QColor(0, 255, 0), QColor(0, 0, 255), QColor(255, 0, 0), QColor(255, 255, 0), QColor(255, 153, 51),
    QColor(255, 51, 153), QColor(153, 0, 204), QColor(0, 255, 255), QColor(0, 0, 0), QColor(255, 255, 255),
};

int Bytes(const std::string& text)
{
    return static_cast<int>(text.size());
}

QRect FromEdges(const ChartEdges& e)
{
    return QRect(e.left, e.top, e.right - e.left, e.bottom - e.top);
}

// The rectangle a GDI-style Rectangle(left, top, right, bottom) outlines.
QRect OutlineOf(const ChartEdges& e)
{
    return QRect(e.left, e.top, e.right - e.left - 1, e.bottom - e.top - 1);
}

// A text whose top-left corner is `at`, kept left of `right`.
void DrawTextAt(QPainter& painter, const ChartPoint& at, int right, const std::string& gbkText)
{
    const int height = painter.fontMetrics().height();
    painter.drawText(QRect(at.x, at.y, std::max(right - at.x, 0), height), Qt::AlignLeft | Qt::AlignTop,
        QStringFromGbk(gbkText));
}

} // namespace

CUsageChart::CUsageChart(int kind, int flag)
    : m_kind(kind)
{
}

void CUsageChart::SetSeriesName(int index, std::string gbkName)
{
    m_legend.SetName(index, std::move(gbkName));
    m_legendShown = true;
}

void CUsageChart::AddValues(std::unique_ptr<CChartValues> values)
{
    const ChartValueSet& v = values->Values();
    m_seriesCount = std::max(m_seriesCount, static_cast<int>(std::count_if(v.begin(), v.end(), [](int x) {
        return x > 0;
    })));
    m_sets.push_back(std::move(values));
}

QColor CUsageChart::GetColor(int index) const
{
    return SeriesColours.at(static_cast<std::size_t>(index));
}

void CUsageChart::Draw(QPainter& painter, int left, int top, int right, int bottom) const
{
    const ChartEdges frame{left, top, right, bottom};
    painter.save();
    painter.setBrush(FrameColour);
    painter.drawRect(OutlineOf(frame));
    painter.setBackgroundMode(Qt::TransparentMode);

    const ChartFrameLayout layout = LayOutChartFrame(frame, Bytes(m_title));
    DrawTextAt(painter, layout.title, right, m_title);
    if (m_kind == kPie) {
        if (m_legendShown)
            DrawLegend(painter, layout.plot);
        DrawPies(painter, layout.plot);
    }
    painter.restore();
}

void CUsageChart::DrawLegend(QPainter& painter, const ChartEdges& plot) const
{
    std::vector<int> nameBytes;
    for (int i = 0; i < m_seriesCount; ++i)
        nameBytes.push_back(Bytes(m_legend.GetName(i)));
    const std::string heading = StringGbk(IdsChartLegend);
    const LegendLayout legend = LayOutLegend(plot, Bytes(heading), nameBytes);

    painter.setBrush(Qt::white);
    painter.drawRect(OutlineOf(legend.box));
    if (legend.heading)
        DrawTextAt(painter, *legend.heading, plot.right, heading);
    for (int i = 0; i < m_seriesCount; ++i) {
        const LegendRow& row = legend.rows[static_cast<std::size_t>(i)];
        if (row.name)
            DrawTextAt(painter, *row.name, plot.right, m_legend.GetName(i));
        if (row.swatch)
            painter.fillRect(FromEdges(*row.swatch), GetColor(i));
    }
}

void CUsageChart::DrawPies(QPainter& painter, const ChartEdges& plot) const
{
    std::vector<ChartValueSet> sets;
    std::vector<int> nameBytes;
    for (const auto& set : m_sets) {
        sets.push_back(set->Values());
        nameBytes.push_back(Bytes(set->GetName()));
    }
    const std::vector<PieLayout> pies = LayOutPies(plot, m_legendShown, sets, nameBytes);
    for (std::size_t j = 0; j < pies.size(); ++j) {
        const PieLayout& pie = pies[j];
        DrawTextAt(painter, pie.name, plot.right, m_sets[j]->GetName());
        for (const PieSlice& slice : pie.slices) {
            painter.setBrush(GetColor(slice.series));
            const PieAngles angles = SliceAngles(pie.box, slice);
            painter.drawPie(FromEdges(pie.box), angles.start, angles.span);
        }
    }
}
