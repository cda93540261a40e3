#include "model/elements/CLampElement.h"
#include "model/CVX50TextDoc.h"

#include "support/RecordingUserInterface.h"

#include <gtest/gtest.h>

namespace {

// Makes the live state "one lamp at x = marker" and pushes it.
void PushState(CVX50TextDoc& doc, int marker)
{
    auto lamp = std::make_shared<CLampElement>();
    lamp->SetPosition(marker, 0);
    doc.WorkingElements = {{KindLamp, lamp}};
    doc.PushUndoSnapshot();
}

int Marker(const ScreenSet& set)
{
    const ElementList& elements = set.Screens.at(0).Elements;
    return elements.empty() ? -1 : elements[0].element->GetPosition().x;
}

// The history as "marker" or "marker(u)" for undone snapshots.
std::string History(const CVX50TextDoc& doc)
{
    std::string text;
    for (const ScreenSet& set : doc.UndoHistory)
        text += std::to_string(Marker(set)) + (set.Undone ? "(u) " : " ");
    return text;
}

int LiveMarker(const CVX50TextDoc& doc)
{
    return doc.WorkingElements.empty() ? -1 : doc.WorkingElements[0].element->GetPosition().x;
}

} // namespace

TEST(UndoHistory, UndoRedoMoveStatesBetweenSlots)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    doc.UndoHistory.clear();
    PushState(doc, 1); // A
    PushState(doc, 2); // B
    PushState(doc, 3); // C

    struct Step {
        void (CVX50TextDoc::*command)();
        const char* history;
        int live;
    };
    const Step steps[] = {
        {&CVX50TextDoc::OnEditUndo, "1 3(u) 2 ", 2},
        {&CVX50TextDoc::OnEditUndo, "2(u) 3(u) 1 ", 1},
        {&CVX50TextDoc::OnEditRedo, "1 3(u) 2 ", 2},
        {&CVX50TextDoc::OnEditRedo, "1 2 3 ", 3},
    };
    for (const Step& step : steps) {
        (doc.*step.command)();
        EXPECT_EQ(History(doc), step.history);
        EXPECT_EQ(LiveMarker(doc), step.live);
        EXPECT_EQ(doc.Screens[0].Elements.at(0).element, doc.WorkingElements.at(0).element);
        EXPECT_EQ(doc.ProjectModified, 1); // an undone edit still needs saving
    }
    // A push after an undo drops the undone snapshots.
    doc.OnEditUndo();
    PushState(doc, 4);
    EXPECT_EQ(History(doc), "1 2 4 ");
    EXPECT_FALSE(doc.CanRedo());
}

TEST(UndoHistory, RestoresFreshObjectsSelectionAndTheEditedScreen)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    PushState(doc, 5);
    doc.WorkingElements[0].element->Selected = 1;
    doc.PushUndoSnapshot();
    const auto before = doc.WorkingElements[0].element;
    PushState(doc, 6);

    doc.OnEditUndo();
    ASSERT_EQ(doc.WorkingElements.size(), 1u);
    EXPECT_NE(doc.WorkingElements[0].element, before);
    EXPECT_EQ(LiveMarker(doc), 5);
    EXPECT_EQ(doc.WorkingElements[0].element->Selected, 1);
    EXPECT_EQ(doc.ElementForPageAfterRestore(), doc.WorkingElements[0].element);
    const std::vector<std::string> expected = {
        "RebuildProjectTree", "ShowPageAfterRestore", "RefreshElementList 1", "RedrawCanvas"};
    EXPECT_EQ(ui.calls, expected);

    // The snapshot's elements are not the live ones.
    doc.WorkingElements[0].element->SetPosition(50, 0);
    EXPECT_EQ(Marker(doc.UndoHistory.back()), 5);
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
}

TEST(UndoHistory, KeepsAtMost32Snapshots)
{
    CVX50TextDoc doc;
    doc.UndoHistory.clear();
    for (int i = 1; i <= 33; ++i)
        PushState(doc, i);
    ASSERT_EQ(doc.UndoHistory.size(), 32u);
    EXPECT_EQ(Marker(doc.UndoHistory.front()), 2);
    EXPECT_EQ(Marker(doc.UndoHistory.back()), 33);
}

TEST(UndoHistory, WithoutARestorePointNothingChanges)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    PushState(doc, 7);
    doc.UndoHistory.erase(doc.UndoHistory.begin()); // only the live snapshot is left
    const auto live = doc.WorkingElements[0].element;

    doc.OnEditUndo();
    doc.OnEditRedo();
    EXPECT_EQ(doc.WorkingElements[0].element, live);
    EXPECT_EQ(doc.UndoHistory.size(), 1u);
    EXPECT_EQ(doc.ProjectModified, 0);
    EXPECT_TRUE(ui.calls.empty());

    doc.UndoHistory.clear();
    doc.OnEditUndo();
    doc.OnEditRedo();
    EXPECT_TRUE(doc.UndoHistory.empty());
}
