#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/CVX50TextDoc.h"
#include "model/ElementRebinding.h"
#include "model/PasswordLevels.h"
#include "model/ScreenCommands.h"

#include "support/RecordingUserInterface.h"
#include "support/TableGroups.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// One lamp, at the screen's number on the top row.
ElementList LampOf(int number)
{
    auto lamp = std::make_shared<CLampElement>();
    lamp->SetPosition(number, 0);
    return {{KindLamp, lamp}};
}

// A key that jumps to screen 2 in group "X" and a register of password
// level 2: what the commands across screens change.
ElementList KeyAndRegister(int)
{
    auto key = std::make_shared<CFuncKeyElement>();
    key->SetAction(CFuncKeyElement::ScreenJump);
    key->TargetScreen = 2;
    key->GroupName = "X";
    auto reg = std::make_shared<CRegisterElement>();
    reg->PasswordLevel = 2;
    return {{KindFuncKey, key}, {KindRegister, reg}};
}

// A project of three screens, each with the elements `elementsOf` makes
// for its number (one lamp each by default), its history reset.
struct ThreeScreens {
    RecordingUserInterface ui;
    CVX50TextDoc doc;

    explicit ThreeScreens(ElementList (*elementsOf)(int number) = LampOf)
    {
        doc.Screens.clear();
        for (int number = 1; number <= 3; ++number) {
            ScreenRecord screen;
            screen.Number = number;
            screen.Elements = elementsOf(number);
            doc.Screens.push_back(screen);
        }
        doc.CurrentScreenNumber = 1;
        doc.WorkingElements = doc.Screens.front().Elements;
        doc.ResetUndoHistory();
    }

    CLampElement& Lamp(int screenIndex)
    {
        return static_cast<CLampElement&>(*doc.Screens[static_cast<std::size_t>(screenIndex)].Elements[0].element);
    }
};

// The history holds two snapshots of the three screens, the second after an
// edit of the first screen alone: it copies that screen and shares the
// others with the first; none of their filled entries holds a live element.
void ExpectOnlyTheFirstScreenCopied(const CVX50TextDoc& doc)
{
    ASSERT_EQ(doc.UndoHistory.size(), 2u);
    const ScreenSet& before = doc.UndoHistory[0];
    const ScreenSet& after = doc.UndoHistory[1];
    EXPECT_NE(after.Screens[0].Frozen, before.Screens[0].Frozen);
    EXPECT_EQ(after.Screens[1].Frozen, before.Screens[1].Frozen);
    EXPECT_EQ(after.Screens[2].Frozen, before.Screens[2].Frozen);
    for (const ScreenSet* set : {&before, &after})
        for (std::size_t s = 0; s < doc.Screens.size(); ++s)
            EXPECT_NE(set->Screens[s].Frozen->Elements.at(0).element, doc.Screens[s].Elements[0].element);
}

} // namespace

// A reset of the history clones the edited screen alone: the entries of the
// others stand for their live elements until those are prepared for an edit,
// which gives the entry clones of them as they are.
TEST(UndoSnapshotSharing, AResetClonesOnlyTheEditedScreen)
{
    ThreeScreens project;
    CVX50TextDoc& doc = project.doc;
    ASSERT_EQ(doc.UndoHistory.size(), 1u);
    const ScreenSet& reset = doc.UndoHistory[0];
    ASSERT_EQ(reset.Screens[0].Frozen->Elements.size(), 1u);
    EXPECT_NE(reset.Screens[0].Frozen->Elements[0].element, doc.Screens[0].Elements[0].element);
    EXPECT_TRUE(reset.Screens[1].Frozen->Elements.empty());
    EXPECT_TRUE(reset.Screens[2].Frozen->Elements.empty());

    doc.PrepareScreenForEdit(3);
    ASSERT_EQ(reset.Screens[2].Frozen->Elements.size(), 1u);
    const auto& clone = *reset.Screens[2].Frozen->Elements[0].element;
    EXPECT_NE(&clone, &project.Lamp(2));
    EXPECT_EQ(clone.GetPosition().x, 3);
    EXPECT_TRUE(reset.Screens[1].Frozen->Elements.empty());
}

// A snapshot copies the screens an edit changed and shares the others with
// the snapshot before it; none of its filled entries holds a live element.
TEST(UndoSnapshotSharing, CopiesOnlyTheChangedScreens)
{
    ThreeScreens project;
    CVX50TextDoc& doc = project.doc;
    doc.PrepareAllScreensForEdit();
    doc.WorkingElements[0].element->SetPosition(40, 0);
    doc.PushUndoSnapshot();
    ExpectOnlyTheFirstScreenCopied(doc);
}

// Undo and redo rebuild every screen, those whose entries still stood for
// the live elements included: their entries take the elements that leave
// the project, and the screens come back as they were.
TEST(UndoSnapshotSharing, UndoAndRedoKeepTheScreensSharedSinceTheReset)
{
    ThreeScreens project;
    CVX50TextDoc& doc = project.doc;
    const std::shared_ptr<CScreenElement> leaving = doc.Screens[1].Elements[0].element;
    doc.WorkingElements[0].element->SetPosition(40, 0);
    doc.PushUndoSnapshot();

    doc.OnEditUndo();
    EXPECT_EQ(project.Lamp(0).GetPosition().x, 1);
    EXPECT_EQ(doc.UndoHistory[1].Screens[1].Frozen->Elements.at(0).element, leaving);
    doc.OnEditRedo();
    EXPECT_EQ(project.Lamp(0).GetPosition().x, 40);
    for (int i = 1; i <= 2; ++i) {
        EXPECT_EQ(project.Lamp(i).GetPosition().x, i + 1);
        EXPECT_NE(doc.Screens[static_cast<std::size_t>(i)].Elements[0].element, leaving);
    }
}

// Changes to screens other than the edited one, in what the file records, in
// the selection or in the address names alone (which the file holds only as
// codes, here of names the empty table lacks), are snapshots of their own.
TEST(UndoSnapshotSharing, ChangesOutsideTheEditedScreenAreUndone)
{
    const struct {
        const char* change;
        void (*apply)(CLampElement&);
        bool (*changed)(const CLampElement&);
    } cases[] = {
        {"position", [](CLampElement& l) { l.SetPosition(77, 0); },
            [](const CLampElement& l) { return l.GetPosition().x == 77; }},
        {"selection", [](CLampElement& l) { l.Selected = 1; }, [](const CLampElement& l) { return l.Selected == 1; }},
        {"group name", [](CLampElement& l) { l.GroupName = "X"; },
            [](const CLampElement& l) { return l.GroupName == "X"; }},
        {"element name", [](CLampElement& l) { l.ElementName = "X9"; },
            [](const CLampElement& l) { return l.ElementName == "X9"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        ThreeScreens project;
        project.doc.PrepareScreenForEdit(3);
        c.apply(project.Lamp(2));
        project.doc.PushUndoSnapshot();
        project.doc.OnEditUndo();
        EXPECT_FALSE(c.changed(project.Lamp(2)));
        project.doc.OnEditRedo();
        EXPECT_TRUE(c.changed(project.Lamp(2)));
    }
}

// Every command that changes screens other than the edited one keeps their
// state at the reset for undo (the project opened with the first screen
// edited).
TEST(UndoSnapshotSharing, CommandsAcrossScreensKeepTheOpenedStateForUndo)
{
    // A command that takes no snapshot of its own is followed by one, as the
    // editor does after an edit; undo itself is not.
    const struct {
        const char* command;
        void (*run)(CVX50TextDoc&);
        bool isUndo = false;
    } cases[] = {
        {"fewer password levels", [](CVX50TextDoc& doc) { ApplyPasswordLevelCount(doc); }},
        {"rebinding to another device", [](CVX50TextDoc& doc) {
             doc.DeviceChange = 1;
             RebindAllElements(doc);
         }},
        {"a screen inserted before", [](CVX50TextDoc& doc) { CreateScreen(doc, 2, "new", true); }},
        {"a screen deleted", [](CVX50TextDoc& doc) { DeleteScreen(doc, 3); }},
        {"the edited screen copied over", [](CVX50TextDoc& doc) { doc.CopyEditedScreenTo(3); }},
        {"undo", [](CVX50TextDoc& doc) { doc.OnEditUndo(); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        ThreeScreens project(KeyAndRegister);
        project.ui.ScriptAnswers({IdYes});
        CVX50TextDoc& doc = project.doc;
        // A first edit on the edited screen, so that undo has a state to leave.
        doc.WorkingElements[0].element->SetPosition(9, 9);
        doc.PushUndoSnapshot();
        const std::size_t history = doc.UndoHistory.size();

        c.run(doc);
        if (doc.UndoHistory.size() == history && !c.isUndo)
            doc.PushUndoSnapshot();
        if (doc.CanUndo())
            doc.OnEditUndo();

        const ScreenRecord* third = doc.FindScreenByNumber(3);
        ASSERT_NE(third, nullptr);
        ASSERT_EQ(third->Elements.size(), 2u);
        const auto& key = static_cast<const CFuncKeyElement&>(*third->Elements[0].element);
        const auto& reg = static_cast<const CRegisterElement&>(*third->Elements[1].element);
        EXPECT_EQ(key.GetPosition().x, 0);
        EXPECT_EQ(key.TargetScreen, 2);
        EXPECT_EQ(key.GroupName, "X");
        EXPECT_EQ(reg.PasswordLevel, 2);
        ASSERT_NE(doc.FindScreenByNumber(2), nullptr);
        EXPECT_EQ(doc.FindScreenByNumber(2)->Elements.size(), 2u);
    }
}

// Once an undo has given every screen objects of its own, undo and redo keep
// the live elements of the screens the two states share; the edited screen
// gets fresh clones. A snapshot after the redo shares every entry of the
// screens the edit did not touch, and no filled entry holds a live element.
TEST(UndoSnapshotSharing, UndoAndRedoKeepTheScreensTheyDoNotChange)
{
    ThreeScreens project;
    CVX50TextDoc& doc = project.doc;
    doc.WorkingElements[0].element->SetPosition(40, 0);
    doc.PushUndoSnapshot();
    doc.OnEditUndo();
    const std::shared_ptr<CScreenElement> edited = doc.Screens[0].Elements[0].element;
    const std::shared_ptr<CScreenElement> second = doc.Screens[1].Elements[0].element;
    const std::shared_ptr<CScreenElement> third = doc.Screens[2].Elements[0].element;

    doc.OnEditRedo();
    EXPECT_EQ(project.Lamp(0).GetPosition().x, 40);
    EXPECT_NE(doc.Screens[0].Elements[0].element, edited);
    EXPECT_EQ(doc.Screens[1].Elements[0].element, second);
    EXPECT_EQ(doc.Screens[2].Elements[0].element, third);
    doc.OnEditUndo();
    EXPECT_EQ(project.Lamp(0).GetPosition().x, 1);
    EXPECT_EQ(doc.Screens[1].Elements[0].element, second);

    doc.WorkingElements[0].element->SetPosition(41, 0);
    doc.PushUndoSnapshot();
    ExpectOnlyTheFirstScreenCopied(doc);
}

namespace {

// The screens as the user sees them: per screen its number and each lamp's
// position and selection; the edited screen marked.
std::string Dump(const CVX50TextDoc& doc)
{
    std::string text;
    for (const ScreenRecord& screen : doc.Screens) {
        text += (screen.Number == doc.CurrentScreenNumber ? "*" : "") + std::to_string(screen.Number) + ":";
        for (const ElementRef& ref : screen.Elements) {
            const DotPoint at = ref.element->GetPosition();
            text += " " + std::to_string(at.x) + "," + std::to_string(at.y) + (ref.element->Selected ? "s" : "");
        }
        text += "\n";
    }
    return text;
}

// Undo and redo as a plain list of states with a cursor: what the history
// must amount to.
struct ModelHistory {
    std::vector<std::string> states;
    std::size_t at = 0;

    void Push(std::string state)
    {
        states.resize(at + 1);
        if (states.size() >= CVX50TextDoc::kUndoLimit)
            states.erase(states.begin());
        states.push_back(std::move(state));
        at = states.size() - 1;
    }
};

} // namespace

// Random edits of the edited screen and of others (prepared first), screen
// switches, address-table replacements, undos and redos on a project of five
// screens, each step checked against a history that keeps every state as a
// whole: the screens that undo and redo leave tied to the history must be
// restored and recorded as they were.
TEST(UndoSnapshotSharing, RandomEditsUndoneAndRedoneAsAWholeStateHistoryWould)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        RecordingUserInterface ui;
        CVX50TextDoc doc;
        doc.Screens.clear();
        for (int number = 1; number <= 5; ++number) {
            ScreenRecord screen;
            screen.Number = number;
            for (int e = 0; e < 2; ++e) {
                auto lamp = std::make_shared<CLampElement>();
                lamp->SetPosition(number, e);
                lamp->GroupName = "M";
                lamp->ElementName = "M" + std::to_string(e);
                screen.Elements.push_back({KindLamp, lamp});
            }
            doc.Screens.push_back(screen);
        }
        doc.CurrentScreenNumber = 1;
        doc.WorkingElements = doc.Screens.front().Elements;
        doc.AddressTable = {MakeGroup("M", BitElementType, WordBitMode, {{"M0", 0, 0}, {"M1", 0, 1}})};
        doc.ResetUndoHistory();
        ModelHistory model;
        model.states = {Dump(doc)};

        for (int step = 0; step < 120; ++step) {
            const int choice = below(7);
            const int number = 1 + below(5);
            const int value = below(150);
            if (choice == 0 || choice == 1) {
                // An edit of the edited screen: a move or a selection.
                CScreenElement& element = *doc.WorkingElements[static_cast<std::size_t>(value % 2)].element;
                if (choice == 0)
                    element.SetPosition(value, element.GetPosition().y);
                else
                    element.Selected = !element.Selected;
                doc.PushUndoSnapshot();
                model.Push(Dump(doc));
            } else if (choice == 2 && number != doc.CurrentScreenNumber) {
                // A command across screens: another screen's element moves.
                doc.PrepareScreenForEdit(number);
                doc.FindScreenByNumber(number)->Elements[0].element->SetPosition(value, 9);
                doc.PushUndoSnapshot();
                model.Push(Dump(doc));
            } else if (choice == 3 && number != doc.CurrentScreenNumber) {
                // The main frame's screen switch.
                doc.CommitWorkingElements();
                doc.EditScreen(number);
                doc.PushUndoSnapshot();
                model.Push(Dump(doc));
            } else if (choice == 4) {
                // The address-table editor's OK: the elements' codes change.
                doc.AddressTable.insert(doc.AddressTable.begin(), MakeGroup("G" + std::to_string(value), Word16ElementType, SingleWriteMode));
            } else if (choice == 5 && doc.CanUndo()) {
                doc.OnEditUndo();
                --model.at;
            } else if (choice == 6 && doc.CanRedo()) {
                doc.OnEditRedo();
                ++model.at;
            }
            ASSERT_EQ(Dump(doc), model.states[model.at]) << "step " << step;
            ASSERT_EQ(doc.CanUndo(), model.at > 0);
            ASSERT_EQ(doc.CanRedo(), model.at + 1 < model.states.size());
        }
    }
}
