#include "simulator/AlarmLines.h"

#include "model/AlarmSegment.h"
#include "simulator/SimulationShared.h"

#include <algorithm>

namespace {

constexpr int kLinesPerPage = 4;

} // namespace

std::vector<std::pair<int, int>> ActiveAlarms(const std::vector<AlarmSegment>& segments, int blockCount,
    const AlarmState& state)
{
    std::vector<std::pair<int, int>> lines;
    int block = 0;
    for (std::size_t s = 0; s < segments.size() && block < std::min(blockCount, kMaxAlarmBlocks); ++s) {
        const int alarms = segments[s].AlarmCount();
        if (alarms < 1)
            continue;
        const auto k = static_cast<std::size_t>(block++);
        for (int a = 0; a < alarms; ++a)
            if (AlarmBitIsSet(state.AlarmSnapshot[k], state.AlarmStartBits[k], a))
                lines.emplace_back(static_cast<int>(s), a);
    }
    return lines;
}

int LastAlarmPage(int lines)
{
    if (lines < 1)
        return 0;
    return lines % kLinesPerPage ? lines - lines % kLinesPerPage : lines - kLinesPerPage;
}

std::vector<std::string> ListedAlarmTexts(const std::vector<AlarmSegment>& segments,
    const std::vector<std::pair<int, int>>& lines, int first)
{
    std::vector<std::string> texts;
    for (std::size_t i = static_cast<std::size_t>(std::max(first, 0)); i < lines.size(); ++i) {
        const auto [segment, alarm] = lines[i];
        texts.push_back(segments[static_cast<std::size_t>(segment)].Entries[static_cast<std::size_t>(alarm)].Text);
    }
    return texts;
}
