#include "model/elements/CLampElement.h"
#include "model/CVX50TextDoc.h"

#include "support/RecordingUserInterface.h"

#include <gtest/gtest.h>

namespace {

// A project of three screens with one lamp each, its history reset.
struct ThreeScreens {
    RecordingUserInterface ui;
    CVX50TextDoc doc;

    ThreeScreens()
    {
        doc.Screens.clear();
        for (int number = 1; number <= 3; ++number) {
            ScreenRecord screen;
            screen.Number = number;
            auto lamp = std::make_shared<CLampElement>();
            lamp->SetPosition(number, 0);
            screen.Elements = {{KindLamp, lamp}};
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

} // namespace

// A snapshot copies the screens an edit changed and shares the others with
// the snapshot before it; none of its elements is a live one.
TEST(UndoSnapshotSharing, CopiesOnlyTheChangedScreens)
{
    ThreeScreens project;
    CVX50TextDoc& doc = project.doc;
    doc.WorkingElements[0].element->SetPosition(40, 0);
    doc.PushUndoSnapshot();

    ASSERT_EQ(doc.UndoHistory.size(), 2u);
    const ScreenSet& before = doc.UndoHistory[0];
    const ScreenSet& after = doc.UndoHistory[1];
    EXPECT_NE(after.Screens[0].Frozen, before.Screens[0].Frozen);
    EXPECT_EQ(after.Screens[1].Frozen, before.Screens[1].Frozen);
    EXPECT_EQ(after.Screens[2].Frozen, before.Screens[2].Frozen);
    for (const ScreenSet* set : {&before, &after})
        for (std::size_t s = 0; s < doc.Screens.size(); ++s)
            EXPECT_NE(set->Screens[s].Frozen->Elements[0].element, doc.Screens[s].Elements[0].element);
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
        c.apply(project.Lamp(2));
        project.doc.PushUndoSnapshot();
        project.doc.OnEditUndo();
        EXPECT_FALSE(c.changed(project.Lamp(2)));
        project.doc.OnEditRedo();
        EXPECT_TRUE(c.changed(project.Lamp(2)));
    }
}
