#pragma once

#include <array>
#include <string>

// A device element's preset value-to-text table, taken over by dynamic texts
// bound to that element. Identified by group name, word address and bit.
struct PresetText {
    static constexpr int MaxPairs = 50;

    std::string GroupName;
    int Address = 0;   // word address 0 to 0xFFFF
    int Bit = 0;       // bit for groups of mode 0 or 2, else 0
    int PairCount = 0; // pairs in use
    int ValueType = 0; // 0 HEX, 1 unsigned, 2 signed
    std::array<std::string, MaxPairs> Texts; // at most 24 GBK bytes each
    std::array<int, MaxPairs> Values{};      // only the low 16 bits are stored

    bool operator==(const PresetText&) const = default;
};
