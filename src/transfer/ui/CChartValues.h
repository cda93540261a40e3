#pragma once

#include "transfer/UsageChartGeometry.h"

#include <string>

// One data set of the usage chart: ten values and a name drawn under its
// pie (GBK bytes; empty for the usage chart). The usage chart's value 0 is
// the bytes used, value 1 the bytes free.
class CChartValues {
public:
    void SetValue(int index, int value) { m_values.at(static_cast<std::size_t>(index)) = value; }
    int GetValue(int index) const { return m_values.at(static_cast<std::size_t>(index)); }
    const ChartValueSet& Values() const { return m_values; }

    void SetName(std::string gbkName) { m_name = std::move(gbkName); }
    std::string GetName() const { return m_name; }

private:
    std::string m_name;
    ChartValueSet m_values{};
};
