#pragma once

#include "devices/ElementGroup.h"

#include <string>
#include <string_view>
#include <vector>

// The rules that keep an alarm segment on successive device bits of one bit
// group. Alarm k of a segment watches the element at start index + k of its
// group. Each check returns 0 when the change is allowed, else the string id
// of the message that refuses it. A group that the table lacks has no
// elements, so every alarm in it is out of range.

// At most this many alarms a segment.
constexpr int MaxAlarmsPerSegment = 32;

// The first group named `name`; null when the table has none.
const ElementGroup* FindAlarmGroup(const AddressTable& table, std::string_view name);

// The names of the table's bit groups, in table order: the groups alarms
// may watch.
std::vector<std::string> BitGroupNames(const AddressTable& table);

// Whether `next` is the bit right after `previous`: in a coil group (mode 1)
// the next word address, in other groups the next bit of the word or bit 0 of
// the next word.
bool ElementsContinuous(const DeviceElement& previous, const DeviceElement& next, int accessMode);

// Whether the group's elements from `first` on, `count` of them, follow one
// another without a gap. The range must lie within the group.
bool RunContinuous(const ElementGroup& group, int first, int count);

// Switching a segment of `rows` rows (alarms and the typing row) to `group`:
// the alarms that stay, as many as the group has elements, must watch
// successive elements from the group's first.
int CheckGroupChange(const ElementGroup& group, int rows);

// Moving a segment of `alarms` alarms to start element `index`: the group
// must hold every element they watch (range), and those must be successive.
int CheckStartElement(const ElementGroup* group, int index, int alarms);

// Turning the typing row of a segment of `entries` rows starting at `start`
// into an alarm, checked in this order: its element lies in the group
// (range), the segment is not full (limit), it follows the previous alarm's
// element (continuity).
int CheckNewAlarm(const ElementGroup* group, int start, int entries);
