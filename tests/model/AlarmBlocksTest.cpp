#include "model/AlarmBlocks.h"
#include "support/AlarmFixtures.h"

#include <gtest/gtest.h>

TEST(AlarmBlocks, OneBlockPerSegmentWithAlarms)
{
    const AddressTable table = {CoilGroup("X", 10, 0x20), WordBitGroup("M", 20, 3, 14)};
    AlarmSegment first = AlarmSegmentOf(table[1], 1, {"a", "b"});
    first.Station = "12";
    first.Port = "1";
    const std::vector<AlarmSegment> segments = {first, AlarmSegmentOf(table[0], 0, {}),
                                                AlarmSegmentOf(table[0], 4, {"c"})};
    const std::vector<AlarmBlock> blocks = BuildAlarmBlocks(segments, table);
    ASSERT_EQ(blocks.size(), 2u);

    EXPECT_EQ(blocks[0].StartAddress, 3);
    EXPECT_EQ(blocks[0].StartBit, 15);
    EXPECT_EQ(blocks[0].GroupMode, WordBitMode);
    EXPECT_EQ(blocks[0].GroupIndex, 1);
    EXPECT_EQ(blocks[0].Station, 12);
    EXPECT_EQ(blocks[0].Port, 1);
    EXPECT_EQ(blocks[0].AlarmCount, 2);
    EXPECT_EQ(blocks[0].Texts[1], "b");

    // A coil group's block starts at bit 0.
    EXPECT_EQ(blocks[1].StartAddress, 0x24);
    EXPECT_EQ(blocks[1].StartBit, 0);
    EXPECT_EQ(blocks[1].GroupMode, CoilOrMultiWriteMode);
    EXPECT_EQ(blocks[1].AlarmCount, 1);
    EXPECT_EQ(blocks[1].Texts[0], "c");
}

TEST(AlarmBlocks, SegmentsTheTableCannotHoldGiveNoBlock)
{
    AddressTable table = {CoilGroup("X", 10)};
    AlarmSegment missing = AlarmSegmentOf(table[0], 0, {"a"});
    missing.GroupName = "Gone";
    const AlarmSegment tooShort = AlarmSegmentOf(table[0], 8, {"a", "b"});
    AlarmSegment badStart = AlarmSegmentOf(table[0], 0, {"a"});
    badStart.StartIndex = "-1";
    table[0].elements.resize(9);
    EXPECT_TRUE(BuildAlarmBlocks({missing, tooShort, badStart}, table).empty());
    EXPECT_FALSE(AlarmSegmentResolves(tooShort, table));
    EXPECT_TRUE(AlarmSegmentResolves(AlarmSegmentOf(table[0], 8, {}), table));
}
