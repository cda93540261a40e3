#include "transfer/PollPositions.h"

#include <algorithm>

namespace {

const PollItem* FindItem(int screenIndex, int elementIndex, const std::vector<PollItem>& items)
{
    const auto it = std::find_if(items.begin(), items.end(), [&](const PollItem& item) {
        return item.screenIndex == screenIndex && item.elementIndex == elementIndex;
    });
    return it == items.end() ? nullptr : &*it;
}

} // namespace

bool FindBitPollPosition(int screenIndex, int elementIndex, int& word, int& bitIndex,
    const std::vector<PollItem>& items)
{
    const PollItem* item = FindItem(screenIndex, elementIndex, items);
    if (!item)
        return false;
    word = item->slot % 16;
    bitIndex = item->memoryPosition / 16;
    return true;
}

bool FindWordPollPosition(int screenIndex, int elementIndex, int& position, const std::vector<PollItem>& items)
{
    const PollItem* item = FindItem(screenIndex, elementIndex, items);
    if (!item)
        return false;
    position = item->memoryPosition;
    return true;
}
