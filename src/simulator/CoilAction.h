#pragma once

#include <cstdint>
#include <optional>

// What a key does to a coil, or to one bit of a 16-bit word.
enum CoilAction : int {
    CoilOn = 0,
    CoilOff = 1,
    CoilToggle = 2,
    CoilMomentaryOn = 3,  // on while the key is held
    CoilMomentaryOff = 4, // off while the key is held
};

// The word with bit `bit` (0 to 15) only.
std::uint16_t BitMask(int bit);

// A key's change of one bit of a word that was read: the word written, and
// for the momentary actions the word written back when the key is released
// (the read word with the bit the other way; the written word for the
// others). Every other bit stays as read.
struct WordBitChange {
    std::uint16_t written = 0;
    std::uint16_t release = 0;
};
// Nothing for an action outside 0 to 4.
std::optional<WordBitChange> ChangeWordBit(std::uint16_t word, int bit, int action);

// The state a coil action writes to a coil; nothing for toggle, which
// depends on the coil's state, and for an unknown action.
std::optional<bool> CoilState(int action);
