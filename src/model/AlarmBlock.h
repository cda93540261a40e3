#pragma once

#include <string>
#include <vector>

// One alarm segment with at least one alarm, compiled for the panel: the
// segment's start element resolved to a word address and bit.
struct AlarmBlock {
    static constexpr int TextCapacity = 1000;

    int StartAddress = 0; // word address of the start element
    int Station = 0;
    int AlarmCount = 0;   // 1 to 32
    int StartBit = 0;     // bit of the start element for groups of mode 0 or 2; 0 for coil groups
    int Port = 0;         // 0 RS485, 1 COM1
    int GroupMode = 0;    // 1 coils; 0 or 2 bits inside 16-bit words
    int GroupIndex = -1;  // index of the group in the address table, -1 when absent
    // The text of alarm k at index k; texts from AlarmCount on are not used.
    std::vector<std::string> Texts = std::vector<std::string>(TextCapacity);

    bool operator==(const AlarmBlock&) const = default;
};
