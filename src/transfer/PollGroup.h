#pragma once

#include "transfer/PollItem.h"

#include <cstdint>
#include <vector>

// What a poll group reads, and with which library call.
enum PollGroupKind : int {
    CoilBitsGroup = 0,     // ReadBit
    RegisterBitsGroup = 1, // ReadRegister, bits inside the words
    RegistersGroup = 2,    // ReadRegister
};

// One device read request of a screen's poll plan and the items it serves.
struct PollGroup {
    int kind = CoilBitsGroup;
    int station = 0;
    int itemCount = 0;
    std::uint16_t startAddress = 0;
    int length = 0; // bits (coil groups, a multiple of 16) or registers read
    std::vector<PollItem> items;
};
