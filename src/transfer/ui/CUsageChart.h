#pragma once

#include "transfer/ui/CChartValues.h"

#include <QRect>
#include <QString>

#include <array>
#include <memory>

class QPainter;

// The resource-usage chart beside the canvas: how much of the panel's memory
// the compiled image takes. The view creates it once and draws it into the
// rectangle its layout gives. It is always a pie of used against free.
class CUsageChart {
public:
    void SetSeriesName(int index, const QString& name) { m_seriesNames.at(index) = name; }
    void SetTitle(const QString& title) { m_title = title; }
    // The chart owns its values from here on.
    void AddValues(std::unique_ptr<CChartValues> values) { m_values = std::move(values); }
    CChartValues* Values() const { return m_values.get(); }

    void Draw(QPainter& painter, const QRect& rect) const;

    QString Title() const { return m_title; }
    QString SeriesName(int index) const { return m_seriesNames.at(index); }

private:
    QString m_title;
    std::array<QString, 2> m_seriesNames;
    std::unique_ptr<CChartValues> m_values;
};
