#include "settings/AlarmRows.h"

#include "base/ShortText.h"

#include <algorithm>

std::string CutAlarmText(std::string_view text)
{
    return std::string(GbkPrefix(text, AlarmTextBytes));
}

int TidyTrailingRows(AlarmSegment& segment)
{
    auto& rows = segment.Entries;
    int removed = 0;
    while (rows.size() >= 2 && rows[rows.size() - 1].Text.empty() && rows[rows.size() - 2].Text.empty()) {
        rows[rows.size() - 2].ElementName.clear();
        rows.pop_back();
        ++removed;
    }
    return removed;
}

void CommitTypingRow(AlarmSegment& segment, const ElementGroup& group, int start)
{
    const auto element = static_cast<std::size_t>(start) + segment.Entries.size() - 1;
    segment.Entries.back().ElementName = group.elements.at(element).name;
    segment.Entries.emplace_back();
}

void FillElementNames(AlarmSegment& segment, const ElementGroup* group, int start)
{
    auto& rows = segment.Entries;
    const int available = group && start >= 0 ? std::max(0, static_cast<int>(group->elements.size()) - start) : 0;
    const int alarms = static_cast<int>(rows.size()) - 1;
    const int named = std::min(alarms, available);
    for (int k = 0; k < named; ++k)
        rows[static_cast<std::size_t>(k)].ElementName = group->elements[static_cast<std::size_t>(start + k)].name;
    if (available <= alarms) {
        rows.resize(static_cast<std::size_t>(named) + 1);
        rows.back() = {};
    }
}
