#pragma once

// One polled element address of a screen's poll plan.
struct PollItem {
    int address = 0;        // device word address (the coil number of a coil item)
    int bit = 0;            // bit 0-15 inside the word; word-bit items only
    int station = 0;        // the element's station
    int wordCount = 0;      // word items: 1 or 2 registers
    int replyPosition = 0;  // byte of the value in its group's reply; 0 until grouped
    // Screen-memory word of a bit item: s (1-15) for a coil item, 16 + s for a
    // word-bit item; word items 0x20 (one register) or 0x30 (two).
    int slot = 0;
    // Bit items: 16 x the bit's index inside its screen-memory word, plus
    // the bit's number inside its reply unit (word-bit items at once, coil
    // items once grouped). Word items: the screen-memory word of the value.
    int memoryPosition = 0;
    int screenIndex = 0;
    int elementIndex = 0;
    int groupIndex = 0;     // the element's group in the device address table
};

// Screen-memory slot codes of word items.
constexpr int OneRegisterSlot = 0x20;
constexpr int TwoRegisterSlot = 0x30;
