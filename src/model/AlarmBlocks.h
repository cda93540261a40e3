#pragma once

#include "model/AlarmBlock.h"
#include "model/AlarmSegment.h"
#include "devices/ElementGroup.h"

#include <vector>

// The alarm blocks the panel image carries: one per segment with at least
// one alarm, in segment order, its start element resolved in `table`. A
// segment whose group or start element the table no longer holds (the
// device's table changed since the list was made) gives no block.
std::vector<AlarmBlock> BuildAlarmBlocks(const std::vector<AlarmSegment>& segments, const AddressTable& table);
