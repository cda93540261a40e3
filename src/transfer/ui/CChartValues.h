#pragma once

#include <array>

// The two values of the resource-usage chart: bytes used and bytes free.
class CChartValues {
public:
    void SetValue(int index, int value) { m_values.at(index) = value; }
    int Value(int index) const { return m_values.at(index); }

private:
    std::array<int, 2> m_values{};
};
