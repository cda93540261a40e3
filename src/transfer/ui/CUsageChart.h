#pragma once

#include "transfer/ui/CChartLegend.h"
#include "transfer/ui/CChartValues.h"

#include <QColor>

#include <memory>
#include <string>
#include <vector>

class QPainter;

// The resource-usage chart beside the canvas: a pie of the bytes the last
// compile used against the bytes left, with a title and a legend of the
// series names. It is no window: the view's paint handler draws it into its
// chart rectangle on every paint. The geometry is UsageChartGeometry's;
// texts are GBK bytes and drawn with the painter's font.
class CUsageChart {
public:
    // Kind 2 is the pie, the only kind drawn; the flag has no effect on it.
    explicit CUsageChart(int kind = 2, int flag = 0);

    // Index 0 to 9. Setting a name shows the legend.
    void SetSeriesName(int index, std::string gbkName);
    void SetTitle(std::string gbkTitle) { m_title = std::move(gbkTitle); }
    // Takes the data set over. The legend lists as many series as the data
    // set with the most positive values had when it was added.
    void AddValues(std::unique_ptr<CChartValues> values);

    QColor GetColor(int index) const;
    int SeriesCount() const { return m_seriesCount; }
    const CChartLegend& Legend() const { return m_legend; }
    std::string Title() const { return m_title; }

    // Draws the frame, the title, the legend (once a series is named) and the
    // pies into the rectangle from (left, top) up to (right, bottom).
    void Draw(QPainter& painter, int left, int top, int right, int bottom) const;

private:
    void DrawLegend(QPainter& painter, const ChartEdges& plot) const;
    void DrawPies(QPainter& painter, const ChartEdges& plot) const;

    int m_kind;
    std::vector<std::unique_ptr<CChartValues>> m_sets;
    CChartLegend m_legend;
    bool m_legendShown = false;
    int m_seriesCount = 0;
    std::string m_title;
};
