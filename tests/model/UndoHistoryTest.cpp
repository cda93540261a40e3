#include "model/elements/CLampElement.h"
#include "model/CVX50TextDoc.h"

#include "support/RecordingUserInterface.h"

#include <gtest/gtest.h>

namespace {

// An edit: the edited screen becomes "one lamp at x = marker".
void Edit(CVX50TextDoc& doc, int marker)
{
    auto lamp = std::make_shared<CLampElement>();
    lamp->SetPosition(marker, 0);
    doc.WorkingElements = {{KindLamp, lamp}};
    doc.PushUndoSnapshot();
}

// The marker of the edited screen as the user sees it; -1 for no lamp.
int Shown(const CVX50TextDoc& doc)
{
    return doc.WorkingElements.empty() ? -1 : doc.WorkingElements[0].element->GetPosition().x;
}

// A document edited to 1, 2, ..., count.
CVX50TextDoc EditedUpTo(int count)
{
    CVX50TextDoc doc;
    for (int marker = 1; marker <= count; ++marker)
        Edit(doc, marker);
    return doc;
}

enum Command { Undo, Redo };

void Apply(CVX50TextDoc& doc, Command command)
{
    if (command == Undo)
        doc.OnEditUndo();
    else
        doc.OnEditRedo();
}

} // namespace

TEST(UndoHistory, UndoAndRedoWalkBackAndForthThroughTheEdits)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc = EditedUpTo(3);
    struct Step {
        Command command;
        int shown;
        bool canUndo;
        bool canRedo;
    };
    const Step steps[] = {
        {Undo, 2, true, true},   {Undo, 1, true, true},   {Undo, -1, false, true}, // back to the new project
        {Undo, -1, false, true},                                                   // nothing left to undo
        {Redo, 1, true, true},   {Redo, 2, true, true},   {Undo, 1, true, true},   {Redo, 2, true, true},
        {Redo, 3, true, false},  {Redo, 3, true, false},                           // nothing left to redo
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const Step& step = steps[i];
        Apply(doc, step.command);
        EXPECT_EQ(Shown(doc), step.shown) << "step " << i;
        EXPECT_EQ(doc.CanUndo(), step.canUndo) << "step " << i;
        EXPECT_EQ(doc.CanRedo(), step.canRedo) << "step " << i;
        // The edited screen shows what the working list holds.
        ASSERT_EQ(doc.Screens[0].Elements.size(), doc.WorkingElements.size()) << "step " << i;
        if (!doc.WorkingElements.empty()) {
            EXPECT_EQ(doc.Screens[0].Elements[0].element, doc.WorkingElements[0].element) << "step " << i;
        }
        EXPECT_EQ(doc.ProjectModified, 1) << "step " << i; // an undone edit still needs saving
    }
}

TEST(UndoHistory, AnEditAfterUndoDropsWhatCouldHaveBeenRedone)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc = EditedUpTo(3);
    doc.OnEditUndo();
    doc.OnEditUndo();
    Edit(doc, 4); // 1, then 4
    EXPECT_FALSE(doc.CanRedo());
    doc.OnEditRedo();
    EXPECT_EQ(Shown(doc), 4);

    doc.OnEditUndo();
    EXPECT_EQ(Shown(doc), 1);
    doc.OnEditRedo();
    EXPECT_EQ(Shown(doc), 4);
    // 2 and 3 are gone: undoing from 4 passes 1 to the new project.
    doc.OnEditUndo();
    doc.OnEditUndo();
    EXPECT_EQ(Shown(doc), -1);
    EXPECT_FALSE(doc.CanUndo());
}

TEST(UndoHistory, ReachesBackThirtyOneEdits)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc = EditedUpTo(40);
    int undone = 0;
    while (doc.CanUndo()) {
        doc.OnEditUndo();
        ++undone;
    }
    EXPECT_EQ(undone, static_cast<int>(CVX50TextDoc::kUndoLimit) - 1);
    EXPECT_EQ(Shown(doc), 40 - undone);
    while (doc.CanRedo())
        doc.OnEditRedo();
    EXPECT_EQ(Shown(doc), 40);

    // The limit holds across branches too.
    for (int i = 0; i < 5; ++i)
        doc.OnEditUndo();
    for (int marker = 41; marker <= 70; ++marker)
        Edit(doc, marker);
    undone = 0;
    while (doc.CanUndo()) {
        doc.OnEditUndo();
        ++undone;
    }
    EXPECT_EQ(undone, 31);
    EXPECT_EQ(Shown(doc), 34); // the last 32 states: 34, 35, then 41 to 70
}

TEST(UndoHistory, RestoresFreshObjectsSelectionAndTheWindows)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    Edit(doc, 5);
    doc.WorkingElements[0].element->Selected = 1;
    doc.PushUndoSnapshot();
    const auto before = doc.WorkingElements[0].element;
    Edit(doc, 6);

    doc.OnEditUndo();
    ASSERT_EQ(doc.WorkingElements.size(), 1u);
    EXPECT_NE(doc.WorkingElements[0].element, before);
    EXPECT_EQ(Shown(doc), 5);
    EXPECT_EQ(doc.WorkingElements[0].element->Selected, 1);
    EXPECT_EQ(doc.ElementForPageAfterRestore(), doc.WorkingElements[0].element);
    for (const char* refresh : {"RebuildProjectTree", "ShowPageAfterRestore", "RefreshElementList 1", "RedrawCanvas"})
        EXPECT_TRUE(ui.Called(refresh)) << refresh;

    // A change to the restored element that no edit recorded is not in the
    // history: redo and undo bring back the recorded state.
    doc.WorkingElements[0].element->SetPosition(50, 0);
    doc.OnEditRedo();
    doc.OnEditUndo();
    EXPECT_EQ(Shown(doc), 5);
}

TEST(UndoHistory, UndoReturnsToTheScreenEditedBefore)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    ScreenRecord second;
    second.Number = 2;
    doc.Screens.push_back(second);
    doc.CurrentScreenNumber = 2;
    doc.WorkingElements.clear();
    doc.PushUndoSnapshot();
    doc.OnEditUndo();
    EXPECT_EQ(doc.CurrentScreenNumber, 1);
    EXPECT_EQ(doc.Screens.size(), 1u);
    doc.OnEditRedo();
    EXPECT_EQ(doc.CurrentScreenNumber, 2);
    EXPECT_EQ(doc.Screens.size(), 2u);
}

TEST(UndoHistory, ANewProjectHasNothingToUndoOrRedo)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
    doc.OnEditUndo();
    doc.OnEditRedo();
    EXPECT_EQ(doc.Screens.size(), 1u);
    EXPECT_EQ(doc.ProjectModified, 0);
    EXPECT_TRUE(ui.calls.empty());

    // Nor does a document whose history was emptied.
    doc.UndoHistory.clear();
    doc.OnEditUndo();
    doc.OnEditRedo();
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_TRUE(ui.calls.empty());
}
