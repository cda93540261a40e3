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
    // Inline: the undo history writes every element's record at each edit.
    void U16Le(std::uint16_t v)
    {
        U8(v & 0xFF);
        U8(v >> 8);
    }
    void U16Be(std::uint16_t v)
    {
        U8(v >> 8);
        U8(v & 0xFF);
    }
    void U32Le(std::uint32_t v)
    {
        U16Le(v & 0xFFFF);
        U16Le(v >> 16);
    }
    void U32Be(std::uint32_t v)
    {
        U16Be(v >> 16);
        U16Be(v & 0xFFFF);
    }
    void Bytes(std::string_view bytes) { m_data.append(bytes); }
    // `count` copies of `fill`, for padding and reserved fields.
    void Fill(std::size_t count, std::uint8_t fill = 0) { m_data.append(count, static_cast<char>(fill)); }

    // Overwrites the byte at `offset`, which was written before (a count
    // known only once what follows it is written).
    void SetU8(std::size_t offset, std::uint8_t v) { m_data.at(offset) = static_cast<char>(v); }

    // Room for `bytes` in all, made at once.
    void Reserve(std::size_t bytes) { m_data.reserve(bytes); }
    // Empties the buffer and keeps its room, for a writer used again.
    void Clear() { m_data.clear(); }

    const std::string& Data() const { return m_data; }
    std::string Take() { return std::move(m_data); }
    std::size_t Size() const { return m_data.size(); }

private:
    std::string m_data;
};
