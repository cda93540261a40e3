// Undo and redo by whole-project snapshots: each snapshot holds clones of all
// screens and their elements. The last snapshot is the live state; snapshots
// marked undone form the redo chain. Undo moves the live state into the
// restore point's slot (marked undone) and redo moves it back, so a state is
// never lost until a new edit drops the redo chain.

#include "model/CVX50TextDoc.h"

#include "base/UserInterface.h"

#include <algorithm>

namespace {

// The screens with clones of their elements, selection kept.
std::vector<ScreenRecord> CloneScreens(const std::vector<ScreenRecord>& screens)
{
    std::vector<ScreenRecord> clones;
    clones.reserve(screens.size());
    for (const ScreenRecord& screen : screens) {
        ScreenRecord copy = screen;
        copy.Elements = CVX50TextDoc::CloneElementList(screen.Elements, true);
        clones.push_back(std::move(copy));
    }
    return clones;
}

} // namespace

ScreenSet CVX50TextDoc::SnapshotOfScreens() const
{
    ScreenSet set;
    set.Current = CurrentScreenNumber;
    set.Screens = CloneScreens(Screens);
    return set;
}

void CVX50TextDoc::PushUndoSnapshot()
{
    CommitWorkingElements();
    std::erase_if(UndoHistory, [](const ScreenSet& s) { return s.Undone == 1; });
    if (UndoHistory.size() >= kUndoLimit)
        UndoHistory.erase(UndoHistory.begin());
    UndoHistory.push_back(SnapshotOfScreens());
}

void CVX50TextDoc::ResetUndoHistory()
{
    UndoHistory.clear();
    PushUndoSnapshot();
}

bool CVX50TextDoc::CanUndo() const
{
    return UndoHistory.size() > 1
        && std::any_of(UndoHistory.begin(), UndoHistory.end() - 1, [](const ScreenSet& s) { return s.Undone == 0; });
}

bool CVX50TextDoc::CanRedo() const
{
    return std::any_of(UndoHistory.begin(), UndoHistory.end(), [](const ScreenSet& s) { return s.Undone == 1; });
}

void CVX50TextDoc::OnEditUndo()
{
    if (UndoHistory.size() < 2)
        return;
    // The restore point: the latest snapshot before the live one that was not undone.
    auto restore = std::find_if(UndoHistory.rbegin() + 1, UndoHistory.rend(),
        [](const ScreenSet& s) { return s.Undone == 0; });
    if (restore == UndoHistory.rend())
        return;
    ScreenSet restored = std::move(*restore);
    *restore = std::move(UndoHistory.back());
    restore->Undone = 1;
    UndoHistory.back() = std::move(restored);
    RestoreLastSnapshot();
}

void CVX50TextDoc::OnEditRedo()
{
    CommitWorkingElements();
    if (UndoHistory.empty())
        return;
    // The redo point: the earliest undone snapshot.
    auto redo = std::find_if(UndoHistory.begin(), UndoHistory.end() - 1,
        [](const ScreenSet& s) { return s.Undone == 1; });
    if (redo == UndoHistory.end() - 1)
        return;
    ScreenSet redone = std::move(*redo);
    redone.Undone = 0;
    *redo = std::move(UndoHistory.back());
    redo->Undone = 0;
    UndoHistory.back() = std::move(redone);
    RestoreLastSnapshot();
}

void CVX50TextDoc::RestoreLastSnapshot()
{
    const ScreenSet& live = UndoHistory.back();
    Screens = CloneScreens(live.Screens);
    CurrentScreenNumber = live.Current;
    const ScreenRecord* edited = FindScreenByNumber(CurrentScreenNumber);
    SetWorkingElements(edited ? edited->Elements : ElementList());
    // An undone or redone edit is a change the save prompt must know about.
    ProjectModified = 1;

    UserInterface& ui = CurrentUi();
    ui.RebuildProjectTree();
    ui.ShowPageAfterRestore();
    ui.RefreshElementList(true);
    ui.RedrawCanvas();
}

std::shared_ptr<CScreenElement> CVX50TextDoc::ElementForPageAfterRestore() const
{
    if (WorkingElements.empty())
        return nullptr;
    const ElementRef& last = WorkingElements.back();
    if (!last.element || !last.element->Selected)
        return nullptr;
    return last.element;
}
