#include "transfer/PollCollection.h"

#include "StringIds.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "devices/AddressLookup.h"

#include <algorithm>

namespace {

int AddressMessage(PollSourceKind kind)
{
    switch (kind) {
    case LampSource:
        return IdsLampAddressBad;
    case RegisterSource:
        return IdsRegisterAddressBad;
    case DynamicTextSource:
        return IdsDynTextAddressBad;
    case GraphSource:
        return IdsGraphAddressBad;
    }
    return IdsLampAddressBad;
}

// The screen-memory places handed out while one screen is collected.
class MemoryCursor {
public:
    // Moves to the next bit; false once the 15 bit words are full.
    bool NextBit()
    {
        if (m_bitIndex % 16 == 0) {
            ++m_coilWord;
            ++m_wordBitWord;
            m_bitIndex = 0;
        }
        return m_wordBitWord <= LastBitWordSlot;
    }
    int CoilWord() const { return m_coilWord; }
    int WordBitWord() const { return m_wordBitWord; }
    int BitIndex() const { return m_bitIndex; }
    void BitTaken() { ++m_bitIndex; }

    // The next register value's word, counted without the bit words.
    int TakeWords(int count)
    {
        const int position = m_wordPosition;
        m_wordPosition += count;
        return position;
    }
    int BitWordsUsed() const { return m_coilWord; }

private:
    int m_bitIndex = 0;
    int m_coilWord = 0;
    int m_wordBitWord = 16;
    int m_wordPosition = 1;
};

void AddBitItem(const PollSource& source, const AddressTable& table, PollItem item, const MemoryCursor& cursor,
    PollLists& lists)
{
    if (GetElementGroupMode(table, source.groupName) == CoilOrMultiWriteMode) {
        item.slot = cursor.CoilWord();
        item.memoryPosition = 16 * cursor.BitIndex();
        lists.coils.push_back(item);
    } else {
        item.bit = FindElementBit(table, source.groupName, source.elementName);
        item.slot = cursor.WordBitWord();
        item.memoryPosition = 16 * cursor.BitIndex() + item.bit;
        lists.wordBits.push_back(item);
    }
}

void SortLists(PollLists& lists)
{
    const auto byAddress = [](const PollItem& a, const PollItem& b) { return a.address < b.address; };
    std::stable_sort(lists.coils.begin(), lists.coils.end(), byAddress);
    std::stable_sort(lists.words.begin(), lists.words.end(), byAddress);
    std::stable_sort(lists.wordBits.begin(), lists.wordBits.end(), [](const PollItem& a, const PollItem& b) {
        return a.address != b.address ? a.address < b.address : a.bit < b.bit;
    });
}

} // namespace

std::optional<PollCollectionFault> CollectPollItemsSilently(const std::vector<PollSource>& sources,
    const AddressTable& table, int screenIndex, PollLists& lists)
{
    MemoryCursor cursor;
    const std::size_t firstWord = lists.words.size();
    for (const PollSource& source : sources) {
        if (source.kind == RegisterSource && source.station == 0)
            continue;
        PollItem item;
        item.address = FindElementAddress(table, source.groupName, source.elementName);
        if (item.address == -1)
            return PollCollectionFault{AddressMessage(source.kind), source.elementIndex, source.kind};
        item.station = source.station;
        item.screenIndex = screenIndex;
        item.elementIndex = source.elementIndex;
        item.groupIndex = FindElementGroupIndex(table, source.groupName);
        if (source.wordCount == 0) {
            if (!cursor.NextBit())
                return PollCollectionFault{IdsTooManyElements};
            AddBitItem(source, table, item, cursor, lists);
            cursor.BitTaken();
        } else {
            item.wordCount = source.wordCount;
            item.slot = source.wordCount == 1 ? OneRegisterSlot : TwoRegisterSlot;
            item.memoryPosition = cursor.TakeWords(source.wordCount);
            lists.words.push_back(item);
        }
    }
    // Register values follow the bit words in use.
    for (std::size_t i = firstWord; i < lists.words.size(); ++i)
        lists.words[i].memoryPosition += cursor.BitWordsUsed();
    if (lists.words.size() > firstWord && lists.words.back().memoryPosition > LastRegisterWord)
        return PollCollectionFault{IdsTooManyElements};
    SortLists(lists);
    return std::nullopt;
}

bool CollectPollItems(const std::vector<PollSource>& sources, const AddressTable& table, int screenIndex,
    std::string_view gbkScreenDescription, PollLists& lists)
{
    const std::optional<PollCollectionFault> fault = CollectPollItemsSilently(sources, table, screenIndex, lists);
    if (!fault)
        return true;
    if (fault->elementIndex < 0) {
        CurrentUi().ShowMessage(fault->messageId);
        return false;
    }
    const std::string_view description = gbkScreenDescription.substr(0, gbkScreenDescription.find('\0'));
    CurrentUi().ShowMessageText(std::string(description) + StringGbk(fault->messageId));
    CurrentUi().GoToElement(screenIndex, fault->elementIndex, fault->kind);
    return false;
}
