#include "transfer/PollGrouping.h"

namespace {

bool IsWordGroup(const ElementGroup& group)
{
    return group.elementType == Word16ElementType || group.elementType == Word32ElementType;
}

// A 32-bit group whose every address holds a whole 32-bit value.
bool IsWideGroup(const AddressTable& table, int groupIndex)
{
    if (groupIndex < 0 || groupIndex >= static_cast<int>(table.size()))
        return false;
    const ElementGroup& group = table[static_cast<std::size_t>(groupIndex)];
    return group.elementType == Word32ElementType && group.interval32 == 1;
}

PollGroup OpenGroup(PollGroupKind kind, const PollItem& item, int start, int length)
{
    PollGroup group;
    group.kind = kind;
    group.station = item.station;
    group.startAddress = static_cast<std::uint16_t>(start);
    group.length = length;
    return group;
}

// What every merge asks of the item and the one before it.
bool SameRequest(const PollGroup& group, const PollItem& previous, const PollItem& item, const AddressTable& table,
    bool wordGroups)
{
    return item.station == previous.station && AddressInTable(table, previous.address, wordGroups)
        && group.items.front().groupIndex == item.groupIndex;
}

int RoundUpTo16(int n) { return (n + 15) / 16 * 16; }

void GroupCoils(const std::vector<PollItem>& items, const AddressTable& table, int mergeLimit,
    GetReadCoilPosFn getReadCoilPos, std::vector<PollGroup>& groups)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        PollItem item = items[i];
        const bool joins = i > 0 && item.address - items[i - 1].address < 16
            && RoundUpTo16(item.address - groups.back().startAddress + 1) <= 8 * mergeLimit
            && SameRequest(groups.back(), items[i - 1], item, table, false);
        if (joins)
            groups.back().length = RoundUpTo16(item.address - groups.back().startAddress + 1);
        else
            groups.push_back(OpenGroup(CoilBitsGroup, item, item.address - item.address % 16, 16));
        int bit = 0;
        item.replyPosition = getReadCoilPos ? getReadCoilPos(groups.back().startAddress, item.address, &bit) : 0;
        item.memoryPosition += bit;
        groups.back().items.push_back(item);
    }
}

void GroupWordBits(const std::vector<PollItem>& items, const AddressTable& table, int mergeLimit,
    std::vector<PollGroup>& groups)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        PollItem item = items[i];
        const bool joins = i > 0 && item.address - items[i - 1].address < 9 && mergeLimit != 0
            && item.address - groups.back().startAddress + 1 < mergeLimit
            && SameRequest(groups.back(), items[i - 1], item, table, false);
        if (joins)
            groups.back().length = item.address - groups.back().startAddress + 1;
        else
            groups.push_back(OpenGroup(RegisterBitsGroup, item, item.address, 1));
        item.replyPosition = 2 * (item.address - groups.back().startAddress);
        groups.back().items.push_back(item);
    }
}

// The group's length once `item` joins after `previous`; 0 when the item
// cannot be read in the same request.
int JoinedRegisterLength(int length, const PollItem& previous, const PollItem& item, bool wide)
{
    const int gap = item.address - previous.address;
    if (wide) {
        // Each address holds two registers; an item of another size would
        // lie past what the request reads, so it starts a request of its own.
        return item.wordCount == previous.wordCount ? length + 2 * gap : 0;
    }
    if (item.wordCount == previous.wordCount)
        return length + gap;
    if (item.wordCount > previous.wordCount)
        return length + gap + 1;
    return gap >= 2 ? length + gap - 1 : length;
}

void GroupRegisters(const std::vector<PollItem>& items, const AddressTable& table, int mergeLimit,
    std::vector<PollGroup>& groups)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        PollItem item = items[i];
        const bool wide = IsWideGroup(table, item.groupIndex);
        int length = 0;
        if (i > 0 && item.address - items[i - 1].address < 9 && mergeLimit != 0) {
            length = JoinedRegisterLength(groups.back().length, items[i - 1], item, wide);
            if (length >= mergeLimit || !SameRequest(groups.back(), items[i - 1], item, table, true))
                length = 0;
        }
        if (length != 0)
            groups.back().length = length;
        else
            groups.push_back(OpenGroup(RegistersGroup, item, item.address, item.wordCount));
        item.replyPosition = (wide ? 4 : 2) * (item.address - groups.back().startAddress);
        groups.back().items.push_back(item);
    }
}

} // namespace

int PollMergeLimit(std::string_view gbkProtocolLibraryName, int commBufferLength)
{
    if (gbkProtocolLibraryName != "ModBus Slave.dll" || commBufferLength < 10)
        return 0;
    return (commBufferLength - 6) / 2 - 1;
}

bool AddressInTable(const AddressTable& table, int wordAddress, bool wordGroups)
{
    for (const ElementGroup& group : table) {
        const bool wordGroup = IsWordGroup(group);
        if (wordGroups ? !wordGroup : group.elementType != BitElementType)
            continue;
        for (const DeviceElement& element : group.elements)
            if (element.wordAddress == wordAddress)
                return true;
    }
    return false;
}

std::vector<PollGroup> GroupPollItems(const PollLists& lists, const AddressTable& table, int mergeLimit,
    GetReadCoilPosFn getReadCoilPos)
{
    // Each kind's first item opens a group, so the kinds append to one list.
    std::vector<PollGroup> groups;
    GroupCoils(lists.coils, table, mergeLimit, getReadCoilPos, groups);
    GroupWordBits(lists.wordBits, table, mergeLimit, groups);
    GroupRegisters(lists.words, table, mergeLimit, groups);
    for (PollGroup& group : groups)
        group.itemCount = static_cast<int>(group.items.size());
    return groups;
}
