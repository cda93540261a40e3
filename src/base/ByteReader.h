#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Bounds-checked reader over bytes held in memory (a whole file, a reply).
// Every read that would pass the end throws FormatError and leaves the
// position unchanged; nothing is ever read outside the data.
class ByteReader {
public:
    explicit ByteReader(std::string_view data);

    std::uint8_t U8();
    std::uint16_t U16Le();
    std::uint16_t U16Be();
    std::uint32_t U32Le();
    std::uint32_t U32Be();
    std::int32_t I32Le() { return static_cast<std::int32_t>(U32Le()); }
    std::int32_t I32Be() { return static_cast<std::int32_t>(U32Be()); }
    // The next `count` bytes as they stand.
    std::string Bytes(std::size_t count);
    void Skip(std::size_t count);

    std::size_t Position() const { return m_pos; }
    void Seek(std::size_t pos);
    std::size_t Size() const { return m_data.size(); }
    std::size_t Remaining() const { return m_data.size() - m_pos; }
    bool AtEnd() const { return m_pos == m_data.size(); }

private:
    const unsigned char* Take(std::size_t count);

    std::string_view m_data;
    std::size_t m_pos = 0;
};
