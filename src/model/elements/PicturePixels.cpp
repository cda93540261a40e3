#include "model/elements/PicturePixels.h"

#include <algorithm>
#include <atomic>

namespace {

std::uint32_t DotAt(std::string_view bytes, std::size_t index)
{
    std::uint32_t dot = 0;
    const std::size_t first = index * 4;
    for (std::size_t b = 0; b < 4 && first + b < bytes.size(); ++b)
        dot |= std::uint32_t(static_cast<std::uint8_t>(bytes[first + b])) << (8 * b);
    return dot;
}

} // namespace

std::uint64_t PicturePixels::NextSerial()
{
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

PicturePixels::PicturePixels(std::string_view bytes) : m_dots((bytes.size() + 3) / 4)
{
    std::size_t valueCount = 0;
    for (std::size_t i = 0; i < m_dots && valueCount <= 2; ++i) {
        const std::uint32_t dot = DotAt(bytes, i);
        if (std::find(m_values, m_values + valueCount, dot) == m_values + valueCount) {
            if (valueCount < 2)
                m_values[valueCount] = dot;
            ++valueCount;
        }
    }
    if (valueCount > 2) {
        m_raw.assign(bytes);
        m_raw.resize(m_dots * 4, '\0');
        m_values[0] = m_values[1] = 0;
        return;
    }
    m_bits.assign((m_dots + 63) / 64, 0);
    for (std::size_t i = 0; i < m_dots; ++i)
        if (DotAt(bytes, i) != m_values[0])
            m_bits[i / 64] |= std::uint64_t(1) << (i % 64);
}

std::uint32_t PicturePixels::Dot(std::size_t index) const
{
    if (index >= m_dots)
        return 0;
    if (!m_raw.empty())
        return DotAt(m_raw, index);
    return m_values[(m_bits[index / 64] >> (index % 64)) & 1];
}

std::string PicturePixels::Bytes(std::size_t count) const
{
    std::string bytes(count, '\0');
    const std::size_t dots = std::min(m_dots, (count + 3) / 4);
    for (std::size_t i = 0; i < dots; ++i) {
        const std::uint32_t dot = Dot(i);
        for (std::size_t b = 0; b < 4 && i * 4 + b < count; ++b)
            bytes[i * 4 + b] = static_cast<char>(dot >> (8 * b));
    }
    return bytes;
}

bool PicturePixels::operator==(const PicturePixels& other) const
{
    const std::size_t dots = std::max(m_dots, other.m_dots);
    for (std::size_t i = 0; i < dots; ++i)
        if (Dot(i) != other.Dot(i))
            return false;
    return true;
}
