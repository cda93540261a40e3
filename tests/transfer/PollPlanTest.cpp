// The poll plan of one screen: screen-memory places of the collected items
// and the read requests they are grouped into.

#include "base/StringTable.h"
#include "support/ModbusCoilPosition.h"
#include "support/RecordingUserInterface.h"
#include "support/TableGroups.h"
#include "transfer/PollCollection.h"
#include "transfer/PollGrouping.h"
#include "transfer/PollPositions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Elements named by their address ("100", or "5.3" for a bit of a word).
AddressTable TestTable()
{
    AddressTable table {MakeGroup("M", BitElementType, CoilOrMultiWriteMode),
        MakeGroup("X", BitElementType, WordBitMode), MakeGroup("D", Word16ElementType, SingleWriteMode),
        MakeGroup("DW", Word32ElementType, CoilOrMultiWriteMode, {}, 1),
        MakeGroup("C", Word16ElementType, SingleWriteMode)};
    for (int a = 0; a < 400; ++a) {
        table[0].elements.push_back({std::to_string(a), a, 0});
        for (int bit = 0; bit < 16; ++bit)
            table[1].elements.push_back({std::to_string(a) + "." + std::to_string(bit), a, bit});
        table[2].elements.push_back({std::to_string(a), a, 0});
        table[3].elements.push_back({std::to_string(a), a, 0});
        table[4].elements.push_back({std::to_string(a), a, 0});
    }
    return table;
}

class PollPlan : public ::testing::Test {
protected:
    void Lamp(const std::string& group, const std::string& element, int station = 1)
    {
        Add(LampSource, group, element, station, 0);
    }
    void Register(int address, int words = 1, int station = 1, const std::string& group = "D")
    {
        Add(RegisterSource, group, std::to_string(address), station, words);
    }
    void Add(PollSourceKind kind, const std::string& group, const std::string& element, int station, int words)
    {
        sources.push_back({static_cast<int>(sources.size()), kind, group, element, station, words});
    }

    bool Collect() { return CollectPollItems(sources, table, 2, "Main", lists); }

    std::vector<PollGroup> Groups(int mergeLimit = 11)
    {
        EXPECT_TRUE(Collect());
        return GroupPollItems(lists, table, mergeLimit, ModbusCoilPosition);
    }

    static std::vector<int> ReplyPositions(const PollGroup& group)
    {
        std::vector<int> positions;
        for (const auto& item : group.items)
            positions.push_back(item.replyPosition);
        return positions;
    }

    RecordingUserInterface ui;
    AddressTable table = TestTable();
    std::vector<PollSource> sources;
    PollLists lists;
};

TEST(PollMergeLimit, OnlyTheModbusLibraryMerges)
{
    EXPECT_EQ(PollMergeLimit("ModBus Slave.dll", 30), 11);
    EXPECT_EQ(PollMergeLimit("ModBus Slave.dll", 10), 1);
    EXPECT_EQ(PollMergeLimit("ModBus Slave.dll", 9), 0);
    EXPECT_EQ(PollMergeLimit("modbus slave.dll", 30), 0);
    EXPECT_EQ(PollMergeLimit("QM4-232.dll", 30), 0);
}

TEST_F(PollPlan, ABareScreenHasNoItemsAndNoGroups)
{
    Add(LampSource, "M", "1", 1, 0);
    sources.clear(); // a function key or a picture gives no source
    EXPECT_TRUE(Groups().empty());
    EXPECT_TRUE(lists.coils.empty() && lists.wordBits.empty() && lists.words.empty());
}

TEST_F(PollPlan, BitsComeFirstInTheScreenMemoryAndRegistersFollow)
{
    Lamp("M", "7");
    Lamp("X", "5.3");
    Add(DynamicTextSource, "M", "9", 1, 0);
    Register(100);
    Register(101, 2);
    Register(102);
    ASSERT_TRUE(Collect());
    ASSERT_EQ(lists.coils.size(), 2u);
    EXPECT_EQ(lists.coils[0].slot, 1);
    EXPECT_EQ(lists.coils[0].memoryPosition, 0);
    EXPECT_EQ(lists.coils[1].memoryPosition, 32);
    ASSERT_EQ(lists.wordBits.size(), 1u);
    EXPECT_EQ(lists.wordBits[0].slot, 17);
    EXPECT_EQ(lists.wordBits[0].memoryPosition, 16 + 3);
    EXPECT_EQ(lists.wordBits[0].bit, 3);
    ASSERT_EQ(lists.words.size(), 3u);
    EXPECT_EQ(lists.words[0].memoryPosition, 2);
    EXPECT_EQ(lists.words[1].memoryPosition, 3);
    EXPECT_EQ(lists.words[1].slot, TwoRegisterSlot);
    EXPECT_EQ(lists.words[2].memoryPosition, 5);
    EXPECT_EQ(lists.words[2].slot, OneRegisterSlot);
    EXPECT_EQ(lists.words[2].groupIndex, 2);
    EXPECT_EQ(lists.words[2].screenIndex, 2);
    EXPECT_EQ(lists.words[2].elementIndex, 5);

    int word = 0, bitIndex = 0, position = 0;
    EXPECT_TRUE(FindBitPollPosition(2, 1, word, bitIndex, lists.wordBits));
    EXPECT_EQ(word, 1);
    EXPECT_EQ(bitIndex, 1);
    EXPECT_TRUE(FindWordPollPosition(2, 4, position, lists.words));
    EXPECT_EQ(position, 3);
    EXPECT_FALSE(FindWordPollPosition(1, 4, position, lists.words));
    EXPECT_FALSE(FindBitPollPosition(2, 1, word, bitIndex, lists.coils));
}

TEST_F(PollPlan, ScreenMemoryHoldsAtMost240BitsAndRegistersUpToWord98)
{
    for (int i = 0; i < 240; ++i)
        Lamp(i % 2 ? "M" : "X", i % 2 ? std::to_string(i) : std::to_string(i) + ".0");
    EXPECT_TRUE(Collect());
    EXPECT_EQ(lists.coils.back().slot, 15);
    EXPECT_TRUE(ui.messages.empty());

    Lamp("M", "1");
    lists = {};
    EXPECT_FALSE(Collect());
    EXPECT_EQ(ui.MessageIds(), std::vector<int> {61296});
}

TEST_F(PollPlan, ARegisterValueMayStartAtWord98ButNotBeyond)
{
    // One bit word: registers start at word 2.
    const struct {
        int lastWords; // registers of the last value
        int lastPosition;
        bool accepted;
    } cases[] = {{1, 98, true}, {2, 98, true}, {1, 99, false}, {2, 99, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lastPosition);
        RecordingUserInterface caseUi;
        sources.clear();
        lists = {};
        Lamp("M", "1");
        for (int i = 2; i < c.lastPosition; ++i)
            Register(i);
        Register(300, c.lastWords);
        EXPECT_EQ(Collect(), c.accepted);
        EXPECT_EQ(caseUi.MessageIds(), c.accepted ? std::vector<int> {} : std::vector<int> {61296});
        if (c.accepted) {
            EXPECT_EQ(lists.words.back().memoryPosition, c.lastPosition);
        }
    }
}

TEST_F(PollPlan, AnUnknownAddressNamesTheScreenAndGoesToTheElement)
{
    const struct {
        PollSourceKind kind;
        int message;
    } cases[] = {{LampSource, 61269}, {RegisterSource, 61270}, {DynamicTextSource, 61271}, {GraphSource, 61272}};
    for (const auto& c : cases) {
        RecordingUserInterface caseUi;
        sources.clear();
        lists = {};
        Register(100);
        Add(c.kind, "D", "no such element", 1, c.kind == LampSource ? 0 : 1);
        EXPECT_FALSE(Collect());
        ASSERT_EQ(caseUi.messages.size(), 1u);
        EXPECT_EQ(caseUi.messages[0].gbkText, "Main" + StringGbk(c.message));
        EXPECT_EQ(caseUi.calls.back(), "GoToElement 2 1 " + std::to_string(c.kind));
    }
}

TEST_F(PollPlan, ARegisterOfStationZeroIsNeitherLookedUpNorPolled)
{
    Add(RegisterSource, "D", "no such element", 0, 1);
    Register(100);
    ASSERT_TRUE(Collect());
    ASSERT_EQ(lists.words.size(), 1u);
    EXPECT_EQ(lists.words[0].memoryPosition, 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PollPlan, WordBitsSortByAddressThenBitKeepingEqualKeysInOrder)
{
    Lamp("X", "5.3");
    Lamp("X", "5.1");
    Lamp("X", "5.2");
    Lamp("X", "4.9");
    ASSERT_TRUE(Collect());
    std::vector<int> bits;
    for (const auto& item : lists.wordBits)
        bits.push_back(item.address * 100 + item.bit);
    EXPECT_EQ(bits, (std::vector<int> {409, 501, 502, 503}));
}

TEST_F(PollPlan, NeighbouringRegistersShareARequestWithinTheLimit)
{
    Register(105);
    Register(100);
    Register(101);
    Register(111);
    const auto groups = Groups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].kind, RegistersGroup);
    EXPECT_EQ(groups[0].startAddress, 100);
    EXPECT_EQ(groups[0].length, 6);
    EXPECT_EQ(groups[0].itemCount, 3);
    EXPECT_EQ(ReplyPositions(groups[0]), (std::vector<int> {0, 2, 10}));
    EXPECT_EQ(groups[1].startAddress, 111) << "length 12 is not below the limit of 11";
    EXPECT_EQ(groups[1].length, 1);
}

TEST_F(PollPlan, AGapOfNineStartsANewRequest)
{
    Register(100);
    Register(109);
    const auto groups = Groups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[1].startAddress, 109);
}

TEST_F(PollPlan, WithoutMergingEveryAddressIsARequest)
{
    Register(100);
    Register(101, 2);
    Lamp("M", "3");
    Lamp("M", "4");
    Lamp("X", "7.1");
    Lamp("X", "7.2");
    const auto groups = Groups(PollMergeLimit("QM4-232.dll", 30));
    ASSERT_EQ(groups.size(), 6u);
    const int kinds[] = {CoilBitsGroup, CoilBitsGroup, RegisterBitsGroup, RegisterBitsGroup, RegistersGroup,
        RegistersGroup};
    const int lengths[] = {16, 16, 1, 1, 1, 2};
    for (std::size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(groups[i].kind, kinds[i]);
        EXPECT_EQ(groups[i].length, lengths[i]);
        EXPECT_EQ(groups[i].itemCount, 1);
    }
    EXPECT_EQ(groups[0].startAddress, 0);
}

TEST_F(PollPlan, CoilsShareARequestOfWholeSixteens)
{
    Lamp("M", "17");
    Lamp("M", "3");
    Lamp("M", "40");
    const auto groups = Groups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].kind, CoilBitsGroup);
    EXPECT_EQ(groups[0].startAddress, 0);
    EXPECT_EQ(groups[0].length, 32);
    EXPECT_EQ(ReplyPositions(groups[0]), (std::vector<int> {3, 5}));
    // Coil 3 was collected second (bit index 1), coil 17 first (index 0); the
    // bit inside the reply byte is added.
    EXPECT_EQ(groups[0].items[0].memoryPosition, 16 + 3);
    EXPECT_EQ(groups[0].items[1].memoryPosition, 0 + 1);
    EXPECT_EQ(groups[1].startAddress, 32) << "coil 40 lies 23 after coil 17";
    EXPECT_EQ(groups[1].length, 16);
}

TEST_F(PollPlan, WordBitsShareARequestOfTheirWords)
{
    Lamp("X", "20.4");
    Lamp("X", "20.1");
    Lamp("X", "23.0");
    Lamp("X", "31.0");
    const auto groups = Groups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].kind, RegisterBitsGroup);
    EXPECT_EQ(groups[0].startAddress, 20);
    EXPECT_EQ(groups[0].length, 4);
    EXPECT_EQ(ReplyPositions(groups[0]), (std::vector<int> {0, 0, 6}));
    EXPECT_EQ(groups[1].startAddress, 31) << "gap 8 but length 12 is not below 11";
}

// The merge limit L at its edges: a request of exactly L registers (or words
// of bits) is one too many, L - 1 still joins; coils join up to a span of
// exactly 8 x L, and the next sixteen split.
TEST_F(PollPlan, MergeLimitBoundaries)
{
    const struct {
        const char* name;
        int limit;
        std::vector<std::string> lamps; // "M" coils, "X" bits of words ("a.b")
        std::vector<int> registers;
        std::size_t groups;
        int firstLength;
    } rows[] = {
        {"registers, length L - 1", 5, {}, {100, 103}, 1, 4},
        {"registers, length L", 5, {}, {100, 104}, 2, 1},
        {"registers through a chain, length L - 1", 11, {}, {100, 105, 109}, 1, 10},
        {"registers through a chain, length L", 11, {}, {100, 105, 110}, 2, 6},
        {"word bits, length L - 1", 5, {"X:100.0", "X:103.2"}, {}, 1, 4},
        {"word bits, length L", 5, {"X:100.0", "X:104.2"}, {}, 2, 1},
        {"coils, span 8 x L", 4, {"M:0", "M:15", "M:30"}, {}, 1, 32},
        {"coils, one past 8 x L", 4, {"M:0", "M:15", "M:30", "M:32"}, {}, 2, 32},
        {"coils, span 8 x L from an unaligned start", 2, {"M:3", "M:15"}, {}, 1, 16},
        {"coils, span past 8 x L", 2, {"M:3", "M:16"}, {}, 2, 16},
    };
    for (const auto& row : rows) {
        sources.clear();
        lists = {};
        for (const std::string& lamp : row.lamps)
            Lamp(lamp.substr(0, 1), lamp.substr(2));
        for (int address : row.registers)
            Register(address);
        const auto groups = Groups(row.limit);
        ASSERT_EQ(groups.size(), row.groups) << row.name;
        EXPECT_EQ(groups[0].length, row.firstLength) << row.name;
    }
}

TEST_F(PollPlan, StationsGroupsAndLimitsSplitRequests)
{
    Register(100, 1, 1);
    Register(100, 1, 2);
    Register(101, 1, 2);
    Register(102, 1, 2, "C");
    const auto groups = Groups();
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].station, 1);
    EXPECT_EQ(groups[1].station, 2);
    EXPECT_EQ(groups[1].itemCount, 2);
    EXPECT_EQ(groups[2].items[0].groupIndex, 4) << "another address-table group";
}

TEST_F(PollPlan, CoilsOfAnotherStationStartTheirOwnRequest)
{
    Lamp("M", "3", 1);
    Lamp("M", "3", 5);
    const auto groups = Groups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[1].station, 5);
}

// In a group whose every address holds a 32-bit value, reply positions step
// by 4 bytes an address.
TEST_F(PollPlan, WideGroupsStepTwoRegistersAnAddress)
{
    Register(10, 2, 1, "DW");
    Register(12, 2, 1, "DW");
    const auto groups = Groups();
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].length, 6);
    EXPECT_EQ(ReplyPositions(groups[0]), (std::vector<int> {0, 8}));
}

// A one-register item after a two-register one in a wide group used to join
// without lengthening the read, so its value lay past the reply.
TEST_F(PollPlan, AWideGroupItemOfAnotherSizeStartsItsOwnRequest)
{
    Register(10, 2, 1, "DW");
    Register(12, 1, 1, "DW");
    const auto groups = Groups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[1].startAddress, 12);
    EXPECT_EQ(groups[1].length, 1);
    EXPECT_EQ(groups[1].items[0].replyPosition, 0);
}

} // namespace
