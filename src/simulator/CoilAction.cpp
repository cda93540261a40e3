#include "simulator/CoilAction.h"

std::uint16_t BitMask(int bit)
{
    return static_cast<std::uint16_t>(1u << (bit & 0x0F));
}

std::optional<WordBitChange> ChangeWordBit(std::uint16_t word, int bit, int action)
{
    const std::uint16_t mask = BitMask(bit);
    const auto set = static_cast<std::uint16_t>(word | mask);
    const auto cleared = static_cast<std::uint16_t>(word & ~mask);
    switch (action) {
    case CoilOn:
        return WordBitChange{set, set};
    case CoilOff:
        return WordBitChange{cleared, cleared};
    case CoilToggle: {
        const std::uint16_t toggled = (word & mask) ? cleared : set;
        return WordBitChange{toggled, toggled};
    }
    case CoilMomentaryOn:
        return WordBitChange{set, cleared};
    case CoilMomentaryOff:
        return WordBitChange{cleared, set};
    default:
        return std::nullopt;
    }
}

std::optional<bool> CoilState(int action)
{
    if (action == CoilOn || action == CoilMomentaryOn)
        return true;
    if (action == CoilOff || action == CoilMomentaryOff)
        return false;
    return std::nullopt;
}
