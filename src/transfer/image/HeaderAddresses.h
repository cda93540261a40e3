#pragma once

#include "base/ByteWriter.h"

#include <cstddef>
#include <cstdint>

// Panel addresses inside the header area: 0xF000 + the offset, stored low
// byte first. A slot that still holds 0xF000 points at nothing.
constexpr int kHeaderAreaAddress = 0xF000;
constexpr int kNoAddress = kHeaderAreaAddress;

// The panel address of what is written next.
inline int NextHeaderAddress(const ByteWriter& out)
{
    return kHeaderAreaAddress + static_cast<int>(out.Size());
}

// Fills an address slot written before.
inline void SetAddressSlot(ByteWriter& out, std::size_t slot, int address)
{
    out.SetU8(slot, static_cast<std::uint8_t>(address & 0xFF));
    out.SetU8(slot + 1, static_cast<std::uint8_t>((address >> 8) & 0xFF));
}
