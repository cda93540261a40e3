#include "simulator/ValueBytes.h"

std::vector<std::uint8_t> ValueBytes(std::uint32_t value, int width, bool highFront)
{
    const auto byte = [value](int index) { return static_cast<std::uint8_t>(value >> (8 * index)); };
    if (width == 16)
        return {byte(1), byte(0)};
    if (highFront)
        return {byte(3), byte(2), byte(1), byte(0)};
    return {byte(1), byte(0), byte(3), byte(2)};
}
