#include "settings/AlarmAddressRules.h"
#include "StringIds.h"
#include "support/AlarmFixtures.h"

#include <gtest/gtest.h>

TEST(AlarmAddressRules, ContinuityFollowsTheGroupsAccessMode)
{
    struct Case {
        const char* name;
        DeviceElement previous;
        DeviceElement next;
        int mode;
        bool continuous;
    };
    const Case cases[] = {
        {"coils at words 5 and 6", {"a", 5, 0}, {"b", 6, 0}, CoilOrMultiWriteMode, true},
        {"coils at words 5 and 7", {"a", 5, 0}, {"b", 7, 0}, CoilOrMultiWriteMode, false},
        {"coils ignore the bit", {"a", 5, 3}, {"b", 6, 9}, CoilOrMultiWriteMode, true},
        {"word.bit 3.14 then 3.15", {"a", 3, 14}, {"b", 3, 15}, WordBitMode, true},
        {"word.bit 3.15 then 4.0", {"a", 3, 15}, {"b", 4, 0}, WordBitMode, true},
        {"word.bit 3.15 then 4.1", {"a", 3, 15}, {"b", 4, 1}, WordBitMode, false},
        {"word.bit 3.15 then 3.14", {"a", 3, 15}, {"b", 3, 14}, WordBitMode, false},
        {"word.bit 3.0 then 4.0", {"a", 3, 0}, {"b", 4, 0}, WordBitMode, false},
        {"mode 2 counts bits as mode 0", {"a", 3, 15}, {"b", 4, 0}, SingleWriteMode, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ElementsContinuous(c.previous, c.next, c.mode), c.continuous) << c.name;
}

TEST(AlarmAddressRules, StartElementMustHoldEveryAlarmOnSuccessiveElements)
{
    const ElementGroup twenty = CoilGroup("X", 20);
    for (int start = 0; start <= 15; ++start)
        EXPECT_EQ(CheckStartElement(&twenty, start, 5), 0) << start;
    EXPECT_EQ(CheckStartElement(&twenty, 16, 5), IdsAddressOutOfTable);
    EXPECT_EQ(CheckStartElement(&twenty, -1, 5), IdsAddressOutOfTable);
    EXPECT_EQ(CheckStartElement(nullptr, 0, 1), IdsAddressOutOfTable);

    ElementGroup gap = CoilGroup("Y", 10);
    gap.elements[6].wordAddress = 40;
    EXPECT_EQ(CheckStartElement(&gap, 0, 6), 0);  // elements 0 to 5
    EXPECT_EQ(CheckStartElement(&gap, 2, 5), IdsAddressesNotContiguous);
    EXPECT_EQ(CheckStartElement(&gap, 7, 3), 0);  // the gap lies before the start
}

TEST(AlarmAddressRules, GroupChangeChecksEveryAlarmKept)
{
    // Four elements whose last follows a gap.
    ElementGroup four = CoilGroup("G", 4);
    four.elements[3].wordAddress = 9;
    // Ten alarms keep four: the fourth element's gap refuses the change.
    EXPECT_EQ(CheckGroupChange(four, 11), IdsAddressesNotContiguous);
    // Three alarms keep three, all before the gap.
    EXPECT_EQ(CheckGroupChange(four, 4), 0);
    EXPECT_EQ(CheckGroupChange(CoilGroup("H", 4), 11), 0);
    EXPECT_EQ(CheckGroupChange(CoilGroup("E", 0), 11), 0);
}

TEST(AlarmAddressRules, NewAlarmChecksRangeThenLimitThenContinuity)
{
    struct Case {
        const char* name;
        ElementGroup group;
        int start;
        int entries;
        int refusal;
    };
    ElementGroup gapAt33 = CoilGroup("G", 40);
    gapAt33.elements[32].wordAddress = 100;
    ElementGroup gapAt2 = CoilGroup("C", 5);
    gapAt2.elements[1].wordAddress = 7; // words 0, 7, 2, ...
    const Case cases[] = {
        {"first alarm", CoilGroup("X", 12), 0, 1, 0},
        {"last element of the group", CoilGroup("X", 12), 10, 2, 0},
        {"one past the group", CoilGroup("X", 12), 10, 3, IdsAddressOutOfTable},
        {"out of range beats the limit", CoilGroup("X", 30), 0, 33, IdsAddressOutOfTable},
        {"limit beats continuity", gapAt33, 0, 33, IdsAlarmSegmentFull},
        {"32nd alarm", CoilGroup("X", 40), 0, 32, 0},
        {"coil words 0 and 7", gapAt2, 0, 2, IdsAddressesNotContiguous},
        {"gap before the typing row's pair", gapAt2, 0, 3, IdsAddressesNotContiguous},
        {"word.bit across a word", WordBitGroup("M", 4, 3, 14), 0, 3, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckNewAlarm(&c.group, c.start, c.entries), c.refusal) << c.name;
    EXPECT_EQ(CheckNewAlarm(nullptr, 0, 1), IdsAddressOutOfTable);
}

TEST(AlarmAddressRules, OnlyBitGroupsCarryAlarms)
{
    const AddressTable table = {MakeGroup("D", Word16ElementType, 2), CoilGroup("X", 1),
                                MakeGroup("DW", Word32ElementType, 1), WordBitGroup("M", 1)};
    EXPECT_EQ(BitGroupNames(table), (std::vector<std::string>{"X", "M"}));
    EXPECT_EQ(FindAlarmGroup(table, "M"), &table[3]);
    EXPECT_EQ(FindAlarmGroup(table, "Q"), nullptr);
}
