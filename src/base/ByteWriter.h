#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Growable byte buffer that records are written into before they reach a
// file or a frame.
class ByteWriter {
public:
    void U8(std::uint8_t v) { m_data.push_back(static_cast<char>(v)); }
    void U16Le(std::uint16_t v);
    void U16Be(std::uint16_t v);
    void U32Le(std::uint32_t v);
    void U32Be(std::uint32_t v);
    void Bytes(std::string_view bytes) { m_data.append(bytes); }
    // `count` copies of `fill`, for padding and reserved fields.
    void Fill(std::size_t count, std::uint8_t fill = 0) { m_data.append(count, static_cast<char>(fill)); }

    // Overwrites the byte at `offset`, which was written before (a count
    // known only once what follows it is written).
    void SetU8(std::size_t offset, std::uint8_t v) { m_data.at(offset) = static_cast<char>(v); }

    const std::string& Data() const { return m_data; }
    std::string Take() { return std::move(m_data); }
    std::size_t Size() const { return m_data.size(); }

private:
    std::string m_data;
};
