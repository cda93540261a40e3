#pragma once

#include "model/ScreenRecord.h"

#include <vector>

// The screens' Up-key and Down-key links form one ring in ascending number
// order, the order the project tree lists them in: each screen's Down-key
// screen is the next higher number, its Up-key screen the next lower one, and
// the highest and lowest close the ring. A single screen links to itself.
// These helpers keep that ring whole while screens come and go.

// Links `screen` (not yet in `screens`) between the screens that stand just
// below and just above its number, wrapping at both ends.
void LinkIntoScreenRing(std::vector<ScreenRecord>& screens, ScreenRecord& screen);

// Closes the ring around screen `number` (still in `screens`) so that it can
// be removed: its lower neighbour's Down-key screen and its higher
// neighbour's Up-key screen name each other. With two screens the other one
// links to itself.
void UnlinkFromScreenRing(std::vector<ScreenRecord>& screens, int number);
