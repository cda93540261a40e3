#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The dots of a picture as an immutable value: a run of 32-bit dots (blue,
// green, red, fourth byte) in bitmap order, every dot past the run being 0.
// A picture's dots take two values (black and white), so they are kept one
// bit a dot with the two values beside them; dots of more values (a file
// may carry any bytes) are kept as they are, so every byte reads back.
class PicturePixels {
    static std::uint64_t NextSerial();

public:
    PicturePixels() = default;
    // `bytes` are 32-bit dots; a last partial dot is padded with zeros.
    explicit PicturePixels(std::string_view bytes);

    // Dot `index` as its four bytes little-endian (0xXXRRGGBB); 0 past the run.
    std::uint32_t Dot(std::size_t index) const;
    // The first `count` bytes of the dots laid out 4 bytes a dot.
    std::string Bytes(std::size_t count) const;
    // The bytes held for the dots, for memory accounting.
    std::size_t HeldBytes() const { return m_bits.size() * sizeof(std::uint64_t) + m_raw.size(); }

    // Unique to this value among all made in the run: equal serials hold
    // equal dots.
    std::uint64_t Serial() const { return m_serial; }

    // Compares the dots, not the serials.
    bool operator==(const PicturePixels& other) const;

private:
    std::uint64_t m_serial = NextSerial();
    std::size_t m_dots = 0;
    // Two values: bit i of m_bits selects m_values[1] for dot i.
    std::uint32_t m_values[2] = {0, 0};
    std::vector<std::uint64_t> m_bits;
    // More values: the dots as given, 4 bytes each.
    std::string m_raw;
};
