#include "model/elements/CurveSampleRing.h"

#include <algorithm>

void CurveSampleRing::Clear()
{
    std::lock_guard lock(m_mutex);
    m_samples.clear();
}

void CurveSampleRing::Push(int sample, int capacity)
{
    std::lock_guard lock(m_mutex);
    const size_t limit = static_cast<size_t>(std::max(capacity, 1));
    while (m_samples.size() >= limit)
        m_samples.pop_front();
    m_samples.push_back(sample);
}

std::vector<int> CurveSampleRing::Values() const
{
    std::lock_guard lock(m_mutex);
    return {m_samples.begin(), m_samples.end()};
}
