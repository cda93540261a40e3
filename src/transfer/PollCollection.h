#pragma once

#include "devices/ElementGroup.h"
#include "transfer/PollItem.h"
#include "transfer/PollSource.h"

#include <optional>
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

// Why a screen's addresses could not be collected.
struct PollCollectionFault {
    // IdsLampAddressBad, IdsRegisterAddressBad, IdsDynTextAddressBad or
    // IdsGraphAddressBad: the element's address is not in the table;
    // IdsTooManyElements: more than 240 bits, or a register value beyond
    // word 98.
    int messageId = 0;
    int elementIndex = -1; // the element of an address fault, else -1
    PollSourceKind kind = LampSource;
};

// Turns the addresses a screen's elements show into its poll items,
// assigning each value its place in the screen memory, and sorts the lists.
// A register of station 0 is not polled. Appends to `lists`; stops at the
// first fault and returns it (the lists keep what was appended). Shows
// nothing: the simulation worker calls it.
std::optional<PollCollectionFault> CollectPollItemsSilently(const std::vector<PollSource>& sources,
    const AddressTable& table, int screenIndex, PollLists& lists);

// The same, showing a fault: an address fault as the screen's description
// followed by the message, going to the element; IdsTooManyElements alone. False then.
bool CollectPollItems(const std::vector<PollSource>& sources, const AddressTable& table, int screenIndex,
    std::string_view gbkScreenDescription, PollLists& lists);
