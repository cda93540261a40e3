#include "base/ByteReader.h"

#include "base/FormatError.h"

ByteReader::ByteReader(std::string_view data) : m_data(data) {}

const unsigned char* ByteReader::Take(std::size_t count)
{
    if (count > Remaining())
        throw FormatError("unexpected end of data at offset " + std::to_string(m_pos));
    const auto* p = reinterpret_cast<const unsigned char*>(m_data.data()) + m_pos;
    m_pos += count;
    return p;
}

std::uint8_t ByteReader::U8()
{
    return *Take(1);
}

std::uint16_t ByteReader::U16Le()
{
    const unsigned char* p = Take(2);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint16_t ByteReader::U16Be()
{
    const unsigned char* p = Take(2);
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

std::uint32_t ByteReader::U32Le()
{
    const unsigned char* p = Take(4);
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16)
        | (std::uint32_t(p[3]) << 24);
}

std::uint32_t ByteReader::U32Be()
{
    const unsigned char* p = Take(4);
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8)
        | std::uint32_t(p[3]);
}

std::string ByteReader::Bytes(std::size_t count)
{
    const unsigned char* p = Take(count);
    return std::string(reinterpret_cast<const char*>(p), count);
}

void ByteReader::Skip(std::size_t count)
{
    Take(count);
}

void ByteReader::Seek(std::size_t pos)
{
    if (pos > m_data.size())
        throw FormatError("seek past the end of data to offset " + std::to_string(pos));
    m_pos = pos;
}
