#include "settings/AlarmGridLayout.h"
#include "settings/AlarmRows.h"
#include "base/GbkText.h"
#include "support/AlarmFixtures.h"

#include <gtest/gtest.h>

using Texts = std::vector<std::string>;

TEST(AlarmRows, TidyingRemovesTrailingAlarmsWithErasedTexts)
{
    struct Case {
        const char* name;
        Texts texts; // alarm texts; the typing row follows, empty
        int removed;
        Texts names;
    };
    const Case cases[] = {
        {"only the typing row", {}, 0, {""}},
        {"last alarm has a text", {"a", "b"}, 0, {"X0", "X1", ""}},
        {"two erased at the end", {"a", "b", "c", "", ""}, 2, {"X0", "X1", "X2", ""}},
        {"every alarm erased", {"", ""}, 2, {""}},
        {"an empty alarm before a text stays", {"a", "", "c"}, 0, {"X0", "X1", "X2", ""}},
    };
    const ElementGroup group = CoilGroup("X", 10);
    for (const Case& c : cases) {
        AlarmSegment segment = AlarmSegmentOf(group, 0, c.texts);
        EXPECT_EQ(TidyTrailingRows(segment), c.removed) << c.name;
        EXPECT_EQ(RowNames(segment), c.names) << c.name;
        EXPECT_TRUE(segment.Entries.back().Text.empty()) << c.name;
    }

    // Text typed into the typing row keeps the alarms before it.
    AlarmSegment typed = AlarmSegmentOf(group, 0, {"a", ""});
    typed.Entries.back().Text = "new";
    EXPECT_EQ(TidyTrailingRows(typed), 0);
}

TEST(AlarmRows, CommitNamesTheTypingRowAfterItsElement)
{
    const ElementGroup group = CoilGroup("X", 10);
    AlarmSegment segment = AlarmSegmentOf(group, 3, {"a"});
    segment.Entries.back().Text = "b";
    CommitTypingRow(segment, group, 3);
    EXPECT_EQ(RowNames(segment), (Texts{"X3", "X4", ""}));
    EXPECT_EQ(RowTexts(segment), (Texts{"a", "b", ""}));
}

TEST(AlarmRows, FillingNamesKeepsTheAlarmsTheGroupHolds)
{
    struct Case {
        const char* name;
        int elements; // of the new group
        int start;
        Texts names;
        Texts texts;
    };
    // Five alarms and a typing row holding "t".
    const Case cases[] = {
        {"group large enough", 10, 2, {"N2", "N3", "N4", "N5", "N6", ""}, {"a", "b", "c", "d", "e", "t"}},
        {"group of four", 4, 0, {"N0", "N1", "N2", "N3", ""}, {"a", "b", "c", "d", ""}},
        {"group of five empties the typing row", 5, 0, {"N0", "N1", "N2", "N3", "N4", ""},
         {"a", "b", "c", "d", "e", ""}},
        {"empty group", 0, 0, {""}, {""}},
        {"start past the group", 4, 6, {""}, {""}},
    };
    for (const Case& c : cases) {
        AlarmSegment segment = AlarmSegmentOf(CoilGroup("X", 10), 0, {"a", "b", "c", "d", "e"});
        segment.Entries.back().Text = "t";
        const ElementGroup group = CoilGroup("N", c.elements);
        FillElementNames(segment, &group, c.start);
        EXPECT_EQ(RowNames(segment), c.names) << c.name;
        EXPECT_EQ(RowTexts(segment), c.texts) << c.name;
    }

    AlarmSegment missing = AlarmSegmentOf(CoilGroup("X", 10), 0, {"a"});
    FillElementNames(missing, nullptr, 0);
    EXPECT_EQ(RowNames(missing), (Texts{""}));
}

TEST(AlarmRows, TextsAreCutTo24BytesOnACharacterBoundary)
{
    EXPECT_EQ(CutAlarmText(std::string(30, 'x')), std::string(24, 'x'));
    EXPECT_EQ(CutAlarmText("short"), "short");
    const std::string twelve = GbkFromUtf8("报警报警报警报警报警报警");
    EXPECT_EQ(CutAlarmText(twelve + GbkFromUtf8("警")), twelve);
    // 23 ASCII bytes leave no room for a whole double-byte character.
    EXPECT_EQ(CutAlarmText(std::string(23, 'x') + GbkFromUtf8("报")), std::string(23, 'x'));
    EXPECT_EQ(CutAlarmText(std::string(22, 'x') + GbkFromUtf8("报警")), std::string(22, 'x') + GbkFromUtf8("报"));
}

TEST(AlarmGridLayout, HitTestFindsRowAndColumn)
{
    struct Case {
        int x;
        int y;
        int entries;
        int row;
        int column;
    };
    const Case cases[] = {
        {5, 25, 3, 0, 0},
        {125, 25, 3, 0, 0},  // the shared border belongs to column 0
        {126, 25, 3, 0, 1},
        {302, 59, 3, 1, 1},
        {303, 25, 3, -1, 0}, // right of the clickable width
        {320, 25, 3, -1, 0},
        {5, 19, 3, -1, 0},   // the header
        {5, 80, 3, -1, 0},   // below the last row
        {5, 79, 3, 2, 0},
        {-1, 25, 3, -1, 0},
    };
    for (const Case& c : cases) {
        int column = 7;
        EXPECT_EQ(HitTestCell(c.x, c.y, c.entries, column), c.row) << c.x << "," << c.y;
        EXPECT_EQ(column, c.column) << c.x << "," << c.y;
    }
}

TEST(AlarmGridLayout, ThumbPositionsRoundToTheNearestRow)
{
    const std::pair<int, int> cases[] = {{0, 0}, {9, 0}, {10, 1}, {15, 1}, {20, 1}, {29, 1}, {30, 2}, {-5, 0}};
    for (const auto& [position, row] : cases)
        EXPECT_EQ(ThumbTopRow(position), row) << position;
}

TEST(AlarmGridLayout, ScrollRangeCoversTheRowsBelowTheVisibleOnes)
{
    EXPECT_FALSE(NeedsScrollBar(17));
    EXPECT_TRUE(NeedsScrollBar(18));
    EXPECT_EQ(ScrollMaximum(10), 0);
    EXPECT_EQ(ScrollMaximum(18), 20);
    EXPECT_EQ(ScrollMaximum(33), 320);
    EXPECT_EQ(MaxTopRow(33), 16);
}
