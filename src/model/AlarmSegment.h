#pragma once

#include "model/AlarmEntry.h"

#include <string>
#include <vector>

// One segment of the alarm list: a run of consecutive elements of one bit
// group, each watched by one alarm. Station, port and start index are kept as
// the decimal texts the alarm-list dialog edits.
struct AlarmSegment {
    std::string Station;   // device station, "1" to "255"
    std::string Port;      // "0" RS485, "1" COM1
    std::string GroupName; // a bit group of the address table; empty when it has none
    std::string StartIndex; // index of the start element in that group's element list
    int Number = 0;        // position in the list plus 1
    // The alarms in order, followed by exactly one typing row.
    std::vector<AlarmEntry> Entries;

    // Number of alarms: every entry but the typing row.
    int AlarmCount() const { return Entries.empty() ? 0 : static_cast<int>(Entries.size()) - 1; }

    bool operator==(const AlarmSegment&) const = default;
};
