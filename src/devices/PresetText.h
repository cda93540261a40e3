#pragma once

#include <string>
#include <vector>

// One value/text pair of a preset dynamic text.
struct PresetTextPair {
    int Value = 0;    // only the low 16 bits are stored
    std::string Text; // at most 24 GBK bytes

    bool operator==(const PresetTextPair&) const = default;
};

// A device element's preset value-to-text table, taken over by dynamic texts
// bound to that element. Identified by group name, word address and bit.
// A record holds only the pairs in use: a device's file may hold thousands
// of records, most with few pairs or none.
struct PresetText {
    static constexpr int MaxPairs = 50;

    std::string GroupName;
    int Address = 0;   // word address 0 to 0xFFFF
    int Bit = 0;       // bit for groups of mode 0 or 2, else 0
    int ValueType = 0; // 0 HEX, 1 unsigned, 2 signed
    std::vector<PresetTextPair> Pairs; // at most MaxPairs, in order

    bool operator==(const PresetText&) const = default;
};
