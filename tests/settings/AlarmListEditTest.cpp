#include "settings/AlarmListEdit.h"
#include "StringIds.h"
#include "model/CVX50TextDoc.h"
#include "support/AlarmFixtures.h"
#include "support/RecordingUserInterface.h"

#include <gtest/gtest.h>

namespace {

class AlarmListEdit : public ::testing::Test {
protected:
    AlarmListEdit()
    {
        doc.AddressTable = {MakeGroup("D", Word16ElementType, 2, {{"D0", 0, 0}}), CoilGroup("X", 20, 0x100),
                            WordBitGroup("M", 20, 3, 14)};
        doc.DefaultStation = 7;
        doc.DefaultPort = 1;
    }

    RecordingUserInterface ui;
    CVX50TextDoc doc;
};

} // namespace

TEST_F(AlarmListEdit, NewListOpensWithEightEmptySegments)
{
    const AlarmListStart start = StartAlarmList(doc);
    EXPECT_TRUE(start.newList);
    ASSERT_EQ(start.segments.size(), 8u);
    for (int k = 0; k < 8; ++k) {
        const AlarmSegment& s = start.segments[static_cast<std::size_t>(k)];
        EXPECT_EQ(s.Number, k + 1);
        EXPECT_EQ(s.Station, "7");
        EXPECT_EQ(s.Port, "1");
        EXPECT_EQ(s.GroupName, "X");
        EXPECT_EQ(s.StartIndex, "0");
        EXPECT_EQ(s.Entries, std::vector<AlarmEntry>(1));
    }
    EXPECT_EQ(start.current, 0);
    EXPECT_EQ(start.groups, (std::vector<std::string>{"X", "M"}));
    EXPECT_EQ(start.groupChoice, "X");
    EXPECT_EQ(start.startElementName, "X0");
    EXPECT_EQ(start.station, "7");
    EXPECT_EQ(start.port, 1);

    // A table without bit groups: segments without a group.
    doc.AddressTable.resize(1);
    const AlarmListStart bare = StartAlarmList(doc);
    EXPECT_EQ(bare.segments.front().GroupName, "");
    EXPECT_EQ(bare.startElementName, "");
}

TEST_F(AlarmListEdit, StoredListOpensOnTheSegmentLastShown)
{
    AlarmSegment shown = AlarmSegmentOf(doc.AddressTable[2], 4, {"m"});
    shown.Station = "9";
    shown.Port = "0";
    doc.AlarmSegments = {AlarmSegmentOf(doc.AddressTable[1], 0, {"x"}), shown};
    doc.ShownAlarmSegment = 1;
    const AlarmListStart start = StartAlarmList(doc);
    EXPECT_FALSE(start.newList);
    EXPECT_EQ(start.segments, doc.AlarmSegments);
    EXPECT_EQ(start.current, 1);
    EXPECT_EQ(start.groupChoice, "M");
    EXPECT_EQ(start.startElementName, "M4");
    EXPECT_EQ(start.station, "9");
    EXPECT_EQ(start.port, 0);

    // An index from a file past the list is clamped.
    doc.ShownAlarmSegment = 200;
    EXPECT_EQ(StartAlarmList(doc).current, 1);

    // A group the table lost: the first bit group is chosen, no start element.
    doc.AlarmSegments[1].GroupName = "Gone";
    const AlarmListStart lost = StartAlarmList(doc);
    EXPECT_EQ(lost.groupChoice, "X");
    EXPECT_EQ(lost.startElementName, "");
}

TEST_F(AlarmListEdit, OkStoresTheSegmentsAndTheirBlocks)
{
    const std::vector<AlarmSegment> segments = {AlarmSegmentOf(doc.AddressTable[1], 2, {"a", "b"}),
                                                AlarmSegmentOf(doc.AddressTable[1], 0, {}),
                                                AlarmSegmentOf(doc.AddressTable[2], 1, {"c"})};
    ApplyAlarmList(doc, segments, 2);
    EXPECT_EQ(doc.AlarmSegments, segments);
    EXPECT_EQ(doc.ShownAlarmSegment, 2);
    EXPECT_EQ(doc.ProjectModified, 1);
    ASSERT_EQ(doc.AlarmBlocks.size(), 2u);
    EXPECT_EQ(doc.AlarmBlocks[0].StartAddress, 0x102);
    EXPECT_EQ(doc.AlarmBlocks[1].StartBit, 15);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AlarmListEdit, SegmentsTheTableCannotHoldGiveOneMessageAndNoBlock)
{
    AlarmSegment missing = AlarmSegmentOf(doc.AddressTable[1], 0, {"a"});
    missing.GroupName = "Gone";
    AlarmSegment tooShort = AlarmSegmentOf(doc.AddressTable[1], 17, {"a", "b", "c"});
    doc.AddressTable[1].elements.resize(19);
    const AlarmSegment fits = AlarmSegmentOf(doc.AddressTable[1], 0, {"ok"});
    ApplyAlarmList(doc, {missing, tooShort, fits}, 0);
    ASSERT_EQ(doc.AlarmBlocks.size(), 1u);
    EXPECT_EQ(doc.AlarmBlocks[0].Texts[0], "ok");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].stringId, IdsAddressOutOfTable);
}

TEST_F(AlarmListEdit, StationTextsFrom1To255AreAccepted)
{
    for (const char* text : {"1", "255", "007"})
        EXPECT_TRUE(StationTextAccepted(text)) << text;
    for (const char* text : {"", "0", "256", "1a", " 5", "-1", "99999999999"})
        EXPECT_FALSE(StationTextAccepted(text)) << text;
}
