#pragma once

#include "transfer/UsageChartGeometry.h"

#include <algorithm>
#include <array>
#include <string>

// The series names of the usage chart's legend (GBK bytes), and the byte
// length of the longest one set.
class CChartLegend {
public:
    void SetName(int index, std::string gbkName)
    {
        m_longest = std::max(m_longest, static_cast<int>(gbkName.size()));
        m_names.at(static_cast<std::size_t>(index)) = std::move(gbkName);
    }
    std::string GetName(int index) const { return m_names.at(static_cast<std::size_t>(index)); }
    int Longest() const { return m_longest; }

private:
    std::array<std::string, kChartValueCount> m_names;
    int m_longest = 0;
};
