#pragma once

#include "model/AlarmSegment.h"
#include "devices/ElementGroup.h"

#include <string>
#include <string_view>

// Changes to the rows of one alarm segment: its alarms followed by the typing
// row, in which the next alarm is typed.

// An alarm text holds at most this many GBK bytes.
constexpr std::size_t AlarmTextBytes = 24;

// `text` cut to AlarmTextBytes, never inside a double-byte character.
std::string CutAlarmText(std::string_view text);

// Removes trailing alarms whose texts were erased: while the last two rows
// both have empty texts, the last goes and the one before becomes the typing
// row (its element name is dropped). Returns the number of rows removed.
int TidyTrailingRows(AlarmSegment& segment);

// The typing row becomes an alarm watching the group's element at `start`
// plus its row index, and a new empty typing row follows it. The caller has
// checked the new alarm (CheckNewAlarm).
void CommitTypingRow(AlarmSegment& segment, const ElementGroup& group, int start);

// Names the alarms after the group's elements from `start` on. Alarms beyond
// the group's last element are removed and the typing row is emptied; when
// every alarm has its element, the typing row keeps its text.
void FillElementNames(AlarmSegment& segment, const ElementGroup* group, int start);
