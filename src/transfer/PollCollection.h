#pragma once

#include "devices/ElementGroup.h"
#include "transfer/PollItem.h"
#include "transfer/PollSource.h"

#include <string_view>
#include <vector>

// The three item lists of one screen's poll plan.
struct PollLists {
    std::vector<PollItem> wordBits; // bits inside words, by address then bit
    std::vector<PollItem> coils;    // coils, by address
    std::vector<PollItem> words;    // registers, by address
};

// Screen-memory limits: bit values fill words 1 to 15, register values follow
// and none may start beyond word 98.
constexpr int LastBitWordSlot = 31; // 16 + the 15th bit word
constexpr int LastRegisterWord = 98;

// Turns the addresses a screen's elements show into its poll items,
// assigning each value its place in the screen memory, and sorts the lists.
// A register of station 0 is not polled. Appends to `lists`.
//
// On failure shows one message and returns false at once (the lists keep
// what was appended): an address the table does not hold shows the screen's
// description followed by IdsLampAddressBad, IdsRegisterAddressBad,
// IdsDynTextAddressBad or IdsGraphAddressBad and goes to the element; more
// than 240 bits, or a register value beyond word 98, shows IdsTooManyElements
// alone.
bool CollectPollItems(const std::vector<PollSource>& sources, const AddressTable& table, int screenIndex,
    std::string_view gbkScreenDescription, PollLists& lists);
