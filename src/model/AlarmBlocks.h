#pragma once

#include "model/AlarmBlock.h"
#include "model/AlarmSegment.h"
#include "devices/ElementGroup.h"

#include <vector>

// Whether `table` holds the segment's group and every element its alarms
// watch. A device's table may have changed since the list was made.
bool AlarmSegmentResolves(const AlarmSegment& segment, const AddressTable& table);

// The alarm blocks the panel image carries: one per segment with at least
// one alarm, in segment order, its start element resolved in `table`. A
// segment that does not resolve gives no block.
std::vector<AlarmBlock> BuildAlarmBlocks(const std::vector<AlarmSegment>& segments, const AddressTable& table);
