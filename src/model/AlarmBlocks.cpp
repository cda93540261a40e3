#include "model/AlarmBlocks.h"

#include "devices/AddressLookup.h"
#include "model/projectfile/SectionAddress.h"

#include <algorithm>

bool AlarmSegmentResolves(const AlarmSegment& segment, const AddressTable& table)
{
    const int groupIndex = FindElementGroupIndex(table, segment.GroupName);
    if (groupIndex < 0)
        return false;
    const auto elements = static_cast<int>(table[static_cast<std::size_t>(groupIndex)].elements.size());
    const int start = SectionNumber(segment.StartIndex);
    // The start element itself must exist, also in a segment without alarms.
    return start >= 0 && start <= elements - std::max(segment.AlarmCount(), 1);
}

std::vector<AlarmBlock> BuildAlarmBlocks(const std::vector<AlarmSegment>& segments, const AddressTable& table)
{
    std::vector<AlarmBlock> blocks;
    for (const AlarmSegment& segment : segments) {
        if (segment.AlarmCount() < 1 || !AlarmSegmentResolves(segment, table))
            continue;
        const int groupIndex = FindElementGroupIndex(table, segment.GroupName);
        const ElementGroup& group = table[static_cast<std::size_t>(groupIndex)];
        const int start = SectionNumber(segment.StartIndex);
        const DeviceElement& first = group.elements[static_cast<std::size_t>(start)];

        AlarmBlock block;
        block.Station = SectionNumber(segment.Station);
        block.Port = SectionNumber(segment.Port);
        block.AlarmCount = segment.AlarmCount();
        block.GroupIndex = groupIndex;
        block.GroupMode = group.accessMode;
        block.StartAddress = first.wordAddress;
        block.StartBit = IsWordBitMode(group.accessMode) ? first.bit : 0;
        for (int k = 0; k < block.AlarmCount && k < AlarmBlock::TextCapacity; ++k)
            block.Texts[static_cast<std::size_t>(k)] = segment.Entries[static_cast<std::size_t>(k)].Text;
        blocks.push_back(std::move(block));
    }
    return blocks;
}
