#include "transfer/image/UsedCharTable.h"

namespace {

int PairKey(std::uint8_t lead, std::uint8_t trail)
{
    return lead << 8 | trail;
}

} // namespace

std::array<std::int16_t, 0x10000> UsedCharTable::Unused()
{
    std::array<std::int16_t, 0x10000> none;
    none.fill(-1);
    return none;
}

void UsedCharTable::Clear()
{
    m_slots.fill({});
    m_slotOf.fill(-1);
    m_count = 0;
}

int UsedCharTable::FindUsedCharIndex(std::uint8_t lead, std::uint8_t trail) const
{
    if (lead <= 0x80)
        return -2;
    return m_slotOf[static_cast<std::size_t>(PairKey(lead, trail))];
}

int UsedCharTable::Add(std::uint8_t lead, std::uint8_t trail)
{
    m_slots[static_cast<std::size_t>(m_count)] = {lead, trail};
    std::int16_t& slot = m_slotOf[static_cast<std::size_t>(PairKey(lead, trail))];
    if (slot < 0)
        slot = static_cast<std::int16_t>(m_count);
    return m_count++;
}
