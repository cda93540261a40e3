#pragma once

#include <string>
#include <utility>
#include <vector>

struct AlarmSegment;
struct AlarmState;

// The alarm display's list: for each watched alarm block, the alarms of the
// segment that belongs to it (block k stands for the k-th segment that has
// alarms) whose bits are on, as (segment index, alarm index).
std::vector<std::pair<int, int>> ActiveAlarms(const std::vector<AlarmSegment>& segments, int blockCount,
    const AlarmState& state);

// The first line of the last page of four lines among `lines`.
int LastAlarmPage(int lines);

// The texts of the listed alarms from line `first` on.
std::vector<std::string> ListedAlarmTexts(const std::vector<AlarmSegment>& segments,
    const std::vector<std::pair<int, int>>& lines, int first);
