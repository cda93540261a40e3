#pragma once

#include "transfer/PollItem.h"

#include <vector>

// Where an element's polled value sits in the screen memory, from the first
// item of `items` that belongs to the element. False when it has none.

// A bit: its screen-memory word (slot mod 16) and its index in that word.
bool FindBitPollPosition(int screenIndex, int elementIndex, int& word, int& bitIndex,
    const std::vector<PollItem>& items);
// A register value: its screen-memory word position.
bool FindWordPollPosition(int screenIndex, int elementIndex, int& position, const std::vector<PollItem>& items);
