#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Unsigned numbers of `size` bytes (1 to 8) at `at`, for checks that walk a
// file by offsets and have already seen that the number fits; ByteReader is
// the reader that checks each read itself.

inline std::uint64_t LittleEndianAt(std::string_view bytes, std::size_t at, int size)
{
    std::uint64_t value = 0;
    for (int k = size - 1; k >= 0; --k)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
    return value;
}

inline std::uint64_t BigEndianAt(std::string_view bytes, std::size_t at, int size)
{
    std::uint64_t value = 0;
    for (int k = 0; k < size; ++k)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
    return value;
}
