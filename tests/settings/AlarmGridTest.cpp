#include "settings/AlarmGrid.h"
#include "settings/AlarmGridLayout.h"
#include "StringIds.h"
#include "support/AlarmFixtures.h"
#include "support/RecordingUserInterface.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Texts = std::vector<std::string>;
using EditorText = AlarmGrid::EditorText;

// Client pixels of the middle of a cell on display row `row`.
int CellY(int row)
{
    return AlarmGridLayout::HeaderHeight + AlarmGridLayout::RowHeight * row + 10;
}
constexpr int NameX = 50;
constexpr int TextX = 200;

class AlarmGridTest : public ::testing::Test {
protected:
    // A grid showing one segment of group X (40 coils) from `start` with
    // `texts`, the editor open on the typing row.
    AlarmGrid& Grid(const Texts& texts, int start = 0)
    {
        return GridOf(AlarmSegmentOf(table[0], start, texts));
    }
    AlarmGrid& GridOf(AlarmSegment segment)
    {
        grid = std::make_unique<AlarmGrid>(table, std::vector<AlarmSegment>{std::move(segment)}, 0);
        grid->OpenEditor(grid->Entries() - 1, EditorText::CaretAtEnd);
        return *grid;
    }
    std::vector<int> Messages() const
    {
        std::vector<int> ids;
        for (const auto& m : ui.messages)
            ids.push_back(m.stringId);
        return ids;
    }

    RecordingUserInterface ui;
    AddressTable table = {CoilGroup("X", 40), CoilGroup("Y", 4), WordBitGroup("M", 20, 3, 14)};
    std::unique_ptr<AlarmGrid> grid;
};

} // namespace

TEST_F(AlarmGridTest, EnterOnTheTypingRowMakesAnAlarmAndEditsTheNextRow)
{
    AlarmGrid& g = Grid({});
    g.Type("first");
    const int serial = g.EditorSerial();
    g.Enter();
    EXPECT_EQ(RowNames(g.Shown()), (Texts{"X0", ""}));
    EXPECT_EQ(RowTexts(g.Shown()), (Texts{"first", ""}));
    EXPECT_EQ(g.CurrentRow(), 1);
    EXPECT_TRUE(g.EditorOpen());
    EXPECT_NE(g.EditorSerial(), serial);
    EXPECT_EQ(g.NewEditorShows(), EditorText::CaretAtEnd);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AlarmGridTest, EnterOnAnEarlierRowMovesTheEditorDown)
{
    AlarmGrid& g = Grid({"a", "b"});
    g.OpenEditor(0, EditorText::Selected);
    g.Enter();
    EXPECT_EQ(g.CurrentRow(), 1);
    EXPECT_EQ(g.NewEditorShows(), EditorText::CaretAtEnd);
    EXPECT_EQ(g.Entries(), 3);
}

TEST_F(AlarmGridTest, EveryCommitRefusesWithTheFirstFailedCheck)
{
    ElementGroup gap = CoilGroup("G", 40);
    gap.elements[2].wordAddress = 90;
    table.push_back(gap);
    struct Setup {
        const char* name;
        AlarmSegment segment;
        int refusal;
    };
    const Setup setups[] = {
        // Start 10 in a group of 12: the third alarm would watch element 12.
        {"range", AlarmSegmentOf(CoilGroup("Y", 12), 10, {"a", "b"}), IdsAddressOutOfTable},
        {"more than 32 alarms", AlarmSegmentOf(table[0], 0, AlarmTexts(32)), IdsAlarmSegmentFull},
        {"continuity", AlarmSegmentOf(gap, 0, {"a", "b"}), IdsAddressesNotContiguous},
    };
    table[1] = CoilGroup("Y", 12);
    const std::pair<const char*, std::function<void(AlarmGrid&)>> commits[] = {
        {"Enter", [](AlarmGrid& g) { g.Enter(); }},
        {"focus loss", [](AlarmGrid& g) { g.LeaveEditor(); }},
        {"click on another row", [](AlarmGrid& g) { g.Click(TextX, CellY(0)); }},
    };
    for (const Setup& setup : setups) {
        for (const auto& [how, commit] : commits) {
            ui.messages.clear();
            AlarmGrid& g = GridOf(setup.segment);
            const int typingRow = g.Entries() - 1;
            g.Type("refused");
            commit(g);
            const std::string name = std::string(setup.name) + " by " + how;
            EXPECT_EQ(Messages(), std::vector<int>{setup.refusal}) << name;
            EXPECT_EQ(g.Entries(), typingRow + 1) << name;
            EXPECT_EQ(g.Shown().Entries.back(), AlarmEntry{}) << name;
            EXPECT_TRUE(g.EditorOpen()) << name;
            // The editor stays on the typing row, so the next text typed
            // lands there and not in the clicked row.
            EXPECT_EQ(g.CurrentRow(), typingRow) << name;
        }
    }
}

TEST_F(AlarmGridTest, EnterChecksTheTypingRowEvenWhenNothingIsTyped)
{
    AlarmGrid& g = Grid(AlarmTexts(32));
    g.OpenEditor(5, EditorText::Selected);
    g.Enter();
    EXPECT_EQ(Messages(), std::vector<int>{IdsAlarmSegmentFull});
    // The edited row keeps its text and its editor; Enter does not move on.
    EXPECT_EQ(g.Shown().Entries[5].Text, "a5");
    EXPECT_EQ(g.CurrentRow(), 5);

    // Leaving the cell and a click check only typed text.
    g.LeaveEditor();
    g.Click(TextX, CellY(2));
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(AlarmGridTest, LeavingTheEditorTidiesTrailingErasedAlarms)
{
    AlarmGrid& g = Grid({"a", "b", "c", "d", "e"});
    g.OpenEditor(4, EditorText::Selected);
    g.Type("");
    g.OpenEditor(3, EditorText::Selected);
    g.Type("");
    g.LeaveEditor();
    EXPECT_EQ(RowNames(g.Shown()), (Texts{"X0", "X1", "X2", ""}));
    EXPECT_EQ(RowTexts(g.Shown()), (Texts{"a", "b", "c", ""}));
    EXPECT_FALSE(g.EditorOpen());
    EXPECT_EQ(g.CurrentRow(), 3);
}

TEST_F(AlarmGridTest, ClickOnAColumnEditsOrSelectsTheRow)
{
    AlarmGrid& g = Grid({"a", "b", "c"});
    g.Click(NameX, CellY(1));
    EXPECT_FALSE(g.EditorOpen());
    EXPECT_EQ(g.CurrentRow(), 1);
    g.Click(TextX, CellY(1));
    EXPECT_TRUE(g.EditorOpen());
    EXPECT_EQ(g.CurrentRow(), 1);
    EXPECT_EQ(g.NewEditorShows(), EditorText::Selected);
    // Right of the clickable width nothing happens.
    g.Click(320, CellY(2));
    EXPECT_EQ(g.CurrentRow(), 1);
}

TEST_F(AlarmGridTest, ClickCommitsTypedTextThenEditsTheClickedRow)
{
    AlarmGrid& g = Grid({"a"});
    g.Type("b");
    g.Click(TextX, CellY(0));
    EXPECT_EQ(RowTexts(g.Shown()), (Texts{"a", "b", ""}));
    EXPECT_EQ(g.CurrentRow(), 0);
}

TEST_F(AlarmGridTest, ClickBelowRowsThatTidyingRemovedKeepsTheCurrentRowInside)
{
    AlarmGrid& g = Grid({"a", "b", "c", ""});
    g.Type("");
    // Display row 4 is the typing row now and gone after tidying.
    g.Click(TextX, CellY(4));
    EXPECT_EQ(g.Entries(), 4);
    EXPECT_EQ(g.CurrentRow(), 3);
    EXPECT_FALSE(g.EditorOpen());
    g.Down();
    g.Up();
    EXPECT_EQ(g.CurrentRow(), 2);
}

TEST_F(AlarmGridTest, ScrollBarFollowsTheRowsAfterEveryCommit)
{
    // The 17th alarm by Enter: the typing row moves into view.
    AlarmGrid& entered = Grid(AlarmTexts(16));
    entered.Type("q");
    entered.Enter();
    EXPECT_TRUE(entered.ScrollBarShown());
    EXPECT_EQ(entered.ScrollMaximum(), 20);
    EXPECT_EQ(entered.TopRow(), 1);
    EXPECT_EQ(entered.ScrollPosition(), 20);
    EXPECT_EQ(entered.TextColumnInset(), AlarmGridLayout::ScrollBarWidth);

    // By a click: the same range; the rows shown stay.
    AlarmGrid& clicked = Grid(AlarmTexts(16));
    clicked.Type("q");
    clicked.Click(TextX, CellY(3));
    EXPECT_TRUE(clicked.ScrollBarShown());
    EXPECT_EQ(clicked.ScrollMaximum(), 20);
    EXPECT_EQ(clicked.ScrollPosition(), 0);

    // Leaving the cell at the bottom of 20 alarms: range 0 to 80.
    AlarmGrid& left = Grid(AlarmTexts(19));
    left.Type("q");
    left.LeaveEditor();
    EXPECT_EQ(left.ScrollMaximum(), 20 * (21 - 17));
    EXPECT_EQ(left.TopRow(), 3); // where the editor on the typing row showed it

    // Tidying back to 17 rows removes the bar; the top row follows.
    AlarmGrid& tidied = Grid(AlarmTexts(17));
    EXPECT_EQ(tidied.TopRow(), 1);
    tidied.OpenEditor(16, EditorText::Selected);
    tidied.Type("");
    tidied.LeaveEditor();
    EXPECT_FALSE(tidied.ScrollBarShown());
    EXPECT_EQ(tidied.TopRow(), 0);
    EXPECT_EQ(tidied.TextColumnInset(), 0);
}

TEST_F(AlarmGridTest, ScrollingLeavesTheEditorAndShowsWholeRows)
{
    AlarmGrid& g = Grid(AlarmTexts(20));
    g.Type("typed");
    g.Scroll(15);
    EXPECT_FALSE(g.EditorOpen());
    EXPECT_EQ(g.Entries(), 22); // leaving the editor committed the text
    EXPECT_EQ(g.TopRow(), 1);
    EXPECT_EQ(g.ScrollPosition(), 20);
    g.Scroll(9);
    EXPECT_EQ(g.TopRow(), 0);
    g.Scroll(1000);
    EXPECT_EQ(g.TopRow(), 5);
}

TEST_F(AlarmGridTest, ArrowsAndWheelMoveTheEditorOneRow)
{
    AlarmGrid& g = Grid(AlarmTexts(20));
    g.OpenEditor(0, EditorText::CaretAtEnd);
    g.Down();
    EXPECT_EQ(g.CurrentRow(), 1);
    EXPECT_EQ(g.NewEditorShows(), EditorText::Selected);
    g.Wheel(-360); // three notches in one message: one row
    EXPECT_EQ(g.CurrentRow(), 2);
    g.Wheel(120);
    g.Up();
    g.Up();
    EXPECT_EQ(g.CurrentRow(), 0);
    EXPECT_TRUE(g.EditorOpen());

    // Down past the 17th visible row scrolls one row.
    g.OpenEditor(16, EditorText::Selected);
    g.Down();
    EXPECT_EQ(g.CurrentRow(), 17);
    EXPECT_EQ(g.TopRow(), 1);
    // Up at the top row scrolls back.
    g.OpenEditor(1, EditorText::Selected);
    g.Up();
    EXPECT_EQ(g.TopRow(), 0);

    // The last row stays the last.
    g.OpenEditor(20, EditorText::Selected);
    g.Down();
    EXPECT_EQ(g.CurrentRow(), 20);
}

TEST_F(AlarmGridTest, ArrowsFirstTidyErasedAlarms)
{
    AlarmGrid& g = Grid({"a", "b", "c"});
    g.OpenEditor(2, EditorText::Selected);
    g.Type("");
    g.Up();
    EXPECT_EQ(RowTexts(g.Shown()), (Texts{"a", "b", ""}));
    EXPECT_EQ(g.CurrentRow(), 1);
    EXPECT_TRUE(g.EditorOpen());
}

TEST_F(AlarmGridTest, TypedTextIsCutAndStoredInTheEditedRow)
{
    AlarmGrid& g = Grid({"a", "b"});
    g.OpenEditor(1, EditorText::Selected);
    EXPECT_EQ(g.Type(std::string(30, 'z')), std::string(24, 'z'));
    EXPECT_EQ(g.Shown().Entries[1].Text, std::string(24, 'z'));
}

TEST_F(AlarmGridTest, GroupChangeKeepsTheAlarmsTheGroupHolds)
{
    AlarmGrid& g = Grid(AlarmTexts(10));
    EXPECT_TRUE(g.ChangeGroup("Y"));
    EXPECT_EQ(RowNames(g.Shown()), (Texts{"Y0", "Y1", "Y2", "Y3", ""}));
    EXPECT_EQ(g.Shown().GroupName, "Y");
    EXPECT_EQ(g.StartIndex(), "0");
    EXPECT_FALSE(g.EditorOpen());
    EXPECT_LE(g.CurrentRow(), 4);

    // The group shown: nothing changes.
    EXPECT_TRUE(g.ChangeGroup("Y"));
    EXPECT_TRUE(ui.messages.empty());

    // A gap among the alarms kept refuses the change.
    table[0].elements[3].wordAddress = 70;
    EXPECT_FALSE(g.ChangeGroup("X"));
    EXPECT_EQ(Messages(), std::vector<int>{IdsAddressesNotContiguous});
    EXPECT_EQ(g.GroupName(), "Y");
    EXPECT_EQ(g.Shown().GroupName, "Y");
}

TEST_F(AlarmGridTest, StartElementMovesTheAlarmsWhenTheyFit)
{
    table[0] = CoilGroup("X", 20);
    AlarmGrid& g = Grid(AlarmTexts(5), 2);
    EXPECT_FALSE(g.ChangeStartElement(16));
    EXPECT_EQ(Messages(), std::vector<int>{IdsAddressOutOfTable});
    EXPECT_EQ(g.StartIndex(), "2");
    EXPECT_EQ(g.StartElementName(), "X2");

    EXPECT_TRUE(g.ChangeStartElement(15));
    EXPECT_EQ(g.Shown().StartIndex, "15");
    EXPECT_EQ(RowNames(g.Shown()), (Texts{"X15", "X16", "X17", "X18", "X19", ""}));
}

TEST_F(AlarmGridTest, AnotherSegmentResetsTheRowsShown)
{
    AlarmSegment missing = AlarmSegmentOf(table[1], 0, {"y"});
    missing.GroupName = "Gone";
    std::vector<AlarmSegment> segments = {AlarmSegmentOf(table[0], 0, AlarmTexts(25)),
                                          AlarmSegmentOf(table[2], 3, {"m"}), missing};
    AlarmGrid g(table, segments, 0);
    g.OpenEditor(24, EditorText::Selected);
    ASSERT_EQ(g.TopRow(), 8);

    g.ShowSegment(1);
    EXPECT_FALSE(g.EditorOpen());
    EXPECT_EQ(g.TopRow(), 0);
    EXPECT_EQ(g.CurrentRow(), 1); // the last row of the shorter segment
    EXPECT_EQ(g.GroupName(), "M");
    EXPECT_EQ(g.StartIndex(), "3");
    EXPECT_FALSE(g.ScrollBarShown());
    g.Down();
    EXPECT_EQ(g.CurrentRow(), 1);

    // A group the table lacks: the grid keeps the group it had.
    g.ShowSegment(2);
    EXPECT_EQ(g.GroupName(), "M");
    g.ShowSegment(7);
    EXPECT_EQ(g.CurrentSegment(), 2);
}
