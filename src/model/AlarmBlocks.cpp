#include "model/AlarmBlocks.h"

#include "devices/AddressLookup.h"
#include "model/projectfile/SectionAddress.h"

std::vector<AlarmBlock> BuildAlarmBlocks(const std::vector<AlarmSegment>& segments, const AddressTable& table)
{
    std::vector<AlarmBlock> blocks;
    for (const AlarmSegment& segment : segments) {
        if (segment.AlarmCount() < 1)
            continue;
        const int groupIndex = FindElementGroupIndex(table, segment.GroupName);
        if (groupIndex < 0)
            continue;
        const ElementGroup& group = table[static_cast<std::size_t>(groupIndex)];
        const int start = SectionNumber(segment.StartIndex);
        if (start < 0 || static_cast<std::size_t>(start) >= group.elements.size())
            continue;
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
