#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CLampElement.h"
#include "model/CVX50TextDoc.h"
#include "base/GbkText.h"
#include "model/ScreenCommands.h"
#include "model/ScreenRing.h"

#include "support/RecordingUserInterface.h"
#include "support/ScreenProjects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

std::vector<int> Numbers(const CVX50TextDoc& doc)
{
    std::vector<int> numbers;
    for (const ScreenRecord& s : doc.Screens)
        numbers.push_back(s.Number);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// The ring is whole: from every screen the Down links visit every screen
// once in ascending order (wrapping) and come back, and Up undoes Down.
void ExpectRingWhole(const CVX50TextDoc& doc)
{
    const std::vector<int> sorted = Numbers(doc);
    ASSERT_EQ(std::set<int>(sorted.begin(), sorted.end()).size(), sorted.size()) << "numbers not unique";
    for (std::size_t start = 0; start < sorted.size(); ++start) {
        int at = sorted[start];
        for (std::size_t step = 1; step <= sorted.size(); ++step) {
            const ScreenRecord* s = doc.FindScreenByNumber(at);
            ASSERT_NE(s, nullptr) << "link to missing screen " << at;
            const int down = s->DownKeyScreen;
            const ScreenRecord* next = doc.FindScreenByNumber(down);
            ASSERT_NE(next, nullptr) << "screen " << at << " links down to missing " << down;
            EXPECT_EQ(next->UpKeyScreen, at) << "Up of " << down << " is not the inverse of Down";
            EXPECT_EQ(down, sorted[(start + step) % sorted.size()]) << "from " << sorted[start];
            at = down;
        }
        EXPECT_EQ(at, sorted[start]);
    }
}

std::string Default(int n)
{
    return GbkFromUtf8("画面") + std::to_string(n);
}

} // namespace

TEST(ScreenCommands, DeleteClosesTheRingAndPicksTheNextScreenByPosition)
{
    struct Case {
        const char* name;
        std::vector<int> screens;
        int deleted;
        int expectedEdited;
    };
    const Case cases[] = {
        {"middle", {1, 2, 3}, 2, 3},
        {"last", {1, 2, 3}, 3, 2},
        {"first", {1, 2, 3}, 1, 2},
        {"middle, list out of order", {5, 1, 9, 3}, 3, 5},
        {"first of two", {1, 2}, 1, 2},
        {"second of two", {1, 2}, 2, 1},
        {"second of two listed first", {2, 1}, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVX50TextDoc doc = ProjectWithScreens(c.screens, c.deleted);
        const ElementList survivorElements = doc.FindScreenByNumber(c.expectedEdited)->Elements;
        EXPECT_EQ(DeleteScreen(doc, c.deleted), c.expectedEdited);
        EXPECT_EQ(doc.FindScreenByNumber(c.deleted), nullptr);
        EXPECT_EQ(doc.Screens.size(), c.screens.size() - 1);
        EXPECT_EQ(doc.CurrentScreenNumber, c.expectedEdited);
        EXPECT_EQ(doc.ProjectModified, 1);
        // The working list is the new edited screen's own list.
        EXPECT_EQ(doc.WorkingElements.size(), survivorElements.size());
        ExpectRingWhole(doc);
    }
}

TEST(ScreenCommands, DeletingAScreenThatIsNotEditedKeepsTheEditedScreensElements)
{
    CVX50TextDoc doc = ProjectWithScreens({1, 2, 3}, 1);
    const auto lamp = doc.WorkingElements.front().element;
    EXPECT_EQ(DeleteScreen(doc, 3), 2);
    // Screen 1's working list went back into its record before the switch.
    ASSERT_EQ(doc.FindScreenByNumber(1)->Elements.size(), 1u);
    EXPECT_EQ(doc.FindScreenByNumber(1)->Elements.front().element, lamp);
    EXPECT_TRUE(doc.WorkingElements.empty());
}

TEST(ScreenCommands, DeletingTheOnlyScreenResetsItToAnEmptyScreenOne)
{
    CVX50TextDoc doc = ProjectWithScreens({7}, 7);
    doc.FindScreenByNumber(7)->Description = GbkFromUtf8("主画面");
    EXPECT_EQ(DeleteScreen(doc, 7), 1);
    ASSERT_EQ(doc.Screens.size(), 1u);
    const ScreenRecord& s = doc.Screens.front();
    EXPECT_EQ(s.Number, 1);
    EXPECT_EQ(s.Description, Default(1));
    EXPECT_TRUE(s.Elements.empty());
    EXPECT_TRUE(doc.WorkingElements.empty());
    EXPECT_EQ(doc.CurrentScreenNumber, 1);
    ExpectRingWhole(doc);
}

TEST(ScreenCommands, DeletingAMissingScreenChangesNothing)
{
    CVX50TextDoc doc = ProjectWithScreens({1, 2}, 1);
    EXPECT_EQ(DeleteScreen(doc, 5), 0);
    EXPECT_EQ(doc.Screens.size(), 2u);
    EXPECT_EQ(doc.ProjectModified, 0);
}

TEST(ScreenCommands, AddLinksTheNewScreenBetweenItsNumberNeighbours)
{
    struct Case {
        const char* name;
        std::vector<int> screens;
        int added;
    };
    const Case cases[] = {
        {"end", {1, 2, 3}, 4},
        {"front", {3, 5, 8}, 1},
        {"middle", {1, 5, 9}, 7},
        {"to a single screen", {1}, 2},
        {"middle, list out of order", {9, 1, 5}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVX50TextDoc doc = ProjectWithScreens(c.screens, c.screens.front());
        const auto lamp = doc.WorkingElements.front().element;
        ASSERT_EQ(CheckNewScreen(doc, c.added, Default(c.added), false), ScreenRefusal::None);
        const std::size_t snapshots = doc.UndoHistory.size();
        CreateScreen(doc, c.added, Default(c.added), false);

        ASSERT_EQ(doc.Screens.size(), c.screens.size() + 1);
        const ScreenRecord& added = doc.Screens.back();
        EXPECT_EQ(added.Number, c.added);
        EXPECT_EQ(added.Description, Default(c.added));
        EXPECT_TRUE(added.Elements.empty());
        EXPECT_EQ(doc.CurrentScreenNumber, c.added);
        EXPECT_TRUE(doc.WorkingElements.empty());
        // The screen that was edited keeps its element.
        ASSERT_EQ(doc.FindScreenByNumber(c.screens.front())->Elements.size(), 1u);
        EXPECT_EQ(doc.FindScreenByNumber(c.screens.front())->Elements.front().element, lamp);
        EXPECT_EQ(doc.ProjectModified, 1);
        EXPECT_EQ(doc.UndoHistory.size(), snapshots + 1);
        ExpectRingWhole(doc);
    }
}

TEST(ScreenCommands, InsertMovesTheRunOfNumbersUpAndKeepsTheRing)
{
    struct Case {
        const char* name;
        std::vector<int> screens;
        int inserted;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"at 2 in 1", {1}, 2, {1, 2}},
        {"at 2 in 1, 2", {1, 2}, 2, {1, 2, 3}},
        {"at 2 in 1, 2, 3", {1, 2, 3}, 2, {1, 2, 3, 4}},
        {"run stops at a gap", {1, 2, 3, 5}, 2, {1, 2, 3, 4, 5}},
        {"at 1 in 1, 2", {2, 1}, 1, {1, 2, 3}},
        {"gap not touched", {1, 3, 4, 9}, 3, {1, 3, 4, 5, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVX50TextDoc doc = ProjectWithScreens(c.screens, c.screens.back());
        ASSERT_EQ(CheckNewScreen(doc, c.inserted, "", true), ScreenRefusal::None);
        CreateScreen(doc, c.inserted, Default(c.inserted), true);
        EXPECT_EQ(Numbers(doc), c.expected);
        EXPECT_EQ(doc.CurrentScreenNumber, c.inserted);
        EXPECT_TRUE(doc.FindScreenByNumber(c.inserted)->Elements.empty());
        // Default descriptions follow their screens' new numbers.
        for (const ScreenRecord& s : doc.Screens)
            EXPECT_EQ(s.Description, Default(s.Number));
        ExpectRingWhole(doc);
    }
}

TEST(ScreenCommands, InsertRenumbersEveryReferenceToAMovedScreen)
{
    CVX50TextDoc doc = ProjectWithScreens({1, 2, 3, 5}, 2);
    // Screen 2 (edited) holds a jump to 3 and a key whose unused target is 2.
    auto jump = std::make_shared<CFuncKeyElement>();
    jump->SetAction(CFuncKeyElement::ScreenJump);
    jump->TargetScreen = 3;
    auto coil = std::make_shared<CFuncKeyElement>();
    coil->SetAction(CFuncKeyElement::SetCoil);
    coil->TargetScreen = 2;
    doc.WorkingElements = {{KindFuncKey, jump}, {KindFuncKey, coil}};
    doc.CommitWorkingElements();
    // Screen 5 jumps to 2; the clipboard holds a jump to 1.
    auto jumpFrom5 = std::make_shared<CFuncKeyElement>();
    jumpFrom5->SetAction(CFuncKeyElement::ScreenJump);
    jumpFrom5->TargetScreen = 2;
    doc.FindScreenByNumber(5)->Elements = {{KindFuncKey, jumpFrom5}};
    auto clipboardJump = std::make_shared<CFuncKeyElement>();
    clipboardJump->SetAction(CFuncKeyElement::ScreenJump);
    clipboardJump->TargetScreen = 3;
    doc.Clipboard = {{KindFuncKey, clipboardJump}};
    GlobalButton jumpButton;
    jumpButton.Function = 0; // jump
    jumpButton.JumpScreen = 2;
    GlobalButton coilButton; // set coil: its jump screen means nothing
    coilButton.JumpScreen = 2;
    doc.GlobalButtons = {jumpButton, coilButton};
    doc.Panel.MainScreen = 3;
    doc.Panel.SaverScreen = 5;
    doc.FindScreenByNumber(3)->Description = GbkFromUtf8("报警");
    doc.ResetUndoHistory(); // the project as opened

    CreateScreen(doc, 2, "", true);

    EXPECT_EQ(jump->TargetScreen, 4); // moved once, although listed twice
    EXPECT_EQ(coil->TargetScreen, 2);
    EXPECT_EQ(jumpFrom5->TargetScreen, 3);
    EXPECT_EQ(clipboardJump->TargetScreen, 4);
    EXPECT_EQ(doc.GlobalButtons[0].JumpScreen, 3);
    EXPECT_EQ(doc.GlobalButtons[1].JumpScreen, 2);
    EXPECT_EQ(doc.Panel.MainScreen, 4);
    EXPECT_EQ(doc.Panel.SaverScreen, 5);
    // A description written by hand stays with its screen.
    EXPECT_EQ(doc.FindScreenByNumber(4)->Description, GbkFromUtf8("报警"));
    EXPECT_EQ(doc.FindScreenByNumber(3)->Description, Default(3));
    // The old screen 2 kept its elements under its new number.
    EXPECT_EQ(doc.FindScreenByNumber(3)->Elements.size(), 2u);
    EXPECT_EQ(doc.FindScreenByNumber(2)->Description, "");
    ExpectRingWhole(doc);
}

TEST(ScreenCommands, RefusalsLeaveTheProjectAlone)
{
    const std::string twentyBytes = GbkFromUtf8("一二三四五六七八九十");
    ASSERT_EQ(twentyBytes.size(), 20u);
    struct Case {
        const char* name;
        std::vector<int> screens;
        int number;
        std::string description;
        bool insert;
        ScreenRefusal expected;
    };
    const Case cases[] = {
        {"number in use", {1, 2}, 2, "", false, ScreenRefusal::NumberInUse},
        {"number in use checked first", {1, 2}, 2, twentyBytes + "x", false, ScreenRefusal::NumberInUse},
        {"20 bytes accepted", {1}, 2, twentyBytes, false, ScreenRefusal::None},
        {"21 bytes refused", {1}, 2, twentyBytes + "x", false, ScreenRefusal::DescriptionTooLong},
        {"insert over a used number", {1, 2}, 2, "", true, ScreenRefusal::None},
        {"insert with 21 bytes", {1, 2}, 2, twentyBytes + "x", true, ScreenRefusal::DescriptionTooLong},
        {"insert below a run up to 65535", {1, 65534, 65535}, 65534, "", true, ScreenRefusal::NoRoomAbove},
        {"insert at a free 65535", {1, 65534}, 65535, "", true, ScreenRefusal::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CVX50TextDoc doc = ProjectWithScreens(c.screens, c.screens.front());
        EXPECT_EQ(CheckNewScreen(doc, c.number, c.description, c.insert), c.expected);
    }
}

TEST(ScreenCommands, ProposedNumbers)
{
    struct Case {
        std::vector<int> screens;
        int newScreen;
        int copyTarget;
    };
    const Case cases[] = {
        {{1, 2, 3}, 4, 4},
        {{1, 5}, 6, 6},
        // New screens go above the highest number; the copy dialog takes the
        // last rise in list order.
        {{1, 5, 2, 3}, 6, 4},
        {{5, 1}, 6, 2},
        {{4}, 5, 5},
        {{1, 65535}, 65535, 65534},
    };
    for (const Case& c : cases) {
        const CVX50TextDoc doc = ProjectWithScreens(c.screens, c.screens.front());
        EXPECT_EQ(ProposedNewScreenNumber(doc), c.newScreen);
        EXPECT_EQ(ProposedCopyTarget(doc.Screens), c.copyTarget);
    }
}

TEST(ScreenCommands, DefaultDescriptionFollowsTheNumberUntilEditedByHand)
{
    const CVX50TextDoc doc;
    EXPECT_EQ(FollowDefaultDescription(doc, Default(4), 4, 7), Default(7));
    EXPECT_EQ(FollowDefaultDescription(doc, "  " + Default(1), 1, 12), Default(12));
    EXPECT_EQ(FollowDefaultDescription(doc, Default(4), 5, 7), Default(4));
    EXPECT_EQ(FollowDefaultDescription(doc, Default(4) + "a", 4, 7), Default(4) + "a");
    EXPECT_EQ(FollowDefaultDescription(doc, GbkFromUtf8("报警"), 4, 7), GbkFromUtf8("报警"));
}

TEST(ScreenCommands, SettingsWriteOnlyTheirScreenAndTakeASnapshot)
{
    CVX50TextDoc doc = ProjectWithScreens({1, 2, 3, 4}, 2);
    const std::size_t snapshots = doc.UndoHistory.size();
    EXPECT_EQ(ApplyScreenSettings(doc, 2, {3, 4, 1, GbkFromUtf8("首页")}), ScreenRefusal::None);
    const ScreenRecord& s = *doc.FindScreenByNumber(2);
    EXPECT_EQ(s.UpKeyScreen, 3);
    EXPECT_EQ(s.DownKeyScreen, 4);
    EXPECT_EQ(s.Port, 1);
    EXPECT_EQ(s.Description, GbkFromUtf8("首页"));
    EXPECT_EQ(doc.FindScreenByNumber(1)->DownKeyScreen, 2);
    EXPECT_EQ(doc.FindScreenByNumber(3)->UpKeyScreen, 2);
    EXPECT_EQ(doc.ProjectModified, 1);
    EXPECT_EQ(doc.UndoHistory.size(), snapshots + 1);

    CVX50TextDoc refused = ProjectWithScreens({1}, 1);
    EXPECT_EQ(ApplyScreenSettings(refused, 1, {1, 1, 0, std::string(21, 'a')}), ScreenRefusal::DescriptionTooLong);
    EXPECT_EQ(refused.Screens.front().Description, Default(1));
    EXPECT_EQ(refused.ProjectModified, 0);
}

// Undo snapshots hold the screens only. An insert that renumbered a
// project-wide reference (a global button's jump, the panel's main or
// screen-saver screen) therefore starts a new undo history: undoing it would
// put the screens back under references that still name the new numbers.
TEST(ScreenCommands, InsertThatMovesAProjectWideReferenceCannotBeUndone)
{
    CVX50TextDoc doc = ProjectWithScreens({1, 2, 3}, 1);
    doc.Panel.MainScreen = 2;
    doc.PushUndoSnapshot();
    ASSERT_TRUE(doc.CanUndo());

    CreateScreen(doc, 2, "", true);
    EXPECT_EQ(doc.Panel.MainScreen, 3);
    EXPECT_FALSE(doc.CanUndo());
    doc.OnEditUndo();
    EXPECT_TRUE(doc.FindScreenByNumber(4));
    EXPECT_EQ(doc.Panel.MainScreen, 3);
    ExpectRingWhole(doc);
}

TEST(ScreenCommands, InsertThatMovesOnlyScreensStaysUndoable)
{
    CVX50TextDoc doc = ProjectWithScreens({1, 2, 3}, 1);
    doc.Panel.MainScreen = 1;
    doc.Panel.SaverScreen = 1;
    CreateScreen(doc, 2, "", true);
    ASSERT_TRUE(doc.CanUndo());
    doc.OnEditUndo();
    EXPECT_FALSE(doc.FindScreenByNumber(4));
    ExpectRingWhole(doc);
}
