// Undo and redo by whole-project snapshots. A snapshot holds clones of the
// elements of every screen; a screen whose elements did not change since the
// previous snapshot (equal fingerprints) shares that snapshot's clones, so
// an edit costs a fingerprint of the project and clones of what it changed.
// The last snapshot is the live state; snapshots marked undone form the redo
// chain. Undo moves the live state into the restore point's slot (marked
// undone) and redo moves it back, so a state is never lost until a new edit
// drops the redo chain.

#include "model/CVX50TextDoc.h"

#include "base/BackgroundRelease.h"
#include "base/UserInterface.h"
#include "model/ElementFingerprint.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

ScreenSet CVX50TextDoc::SnapshotOfScreens(const ScreenSet* previous) const
{
    // The previous snapshot's elements by screen number.
    std::unordered_map<int, const std::shared_ptr<const FrozenElements>*> before;
    if (previous)
        for (const ScreenSnapshot& screen : previous->Screens)
            before.emplace(screen.Number, &screen.Frozen);

    ScreenSet set;
    set.Current = CurrentScreenNumber;
    set.Screens.reserve(Screens.size());
    for (const ScreenRecord& screen : Screens) {
        std::string fingerprint = ElementsFingerprint(screen.Elements, *this);
        const auto match = before.find(screen.Number);
        std::shared_ptr<const FrozenElements> frozen;
        if (match != before.end() && (*match->second)->Fingerprint == fingerprint)
            frozen = *match->second;
        else
            frozen = std::make_shared<const FrozenElements>(
                FrozenElements{CloneElementList(screen.Elements, true), std::move(fingerprint)});
        set.Screens.push_back({std::move(frozen), screen.Number, screen.Port, screen.Description,
                               screen.UpKeyScreen, screen.DownKeyScreen});
    }
    return set;
}

void CVX50TextDoc::PushUndoSnapshot()
{
    CommitWorkingElements();
    std::erase_if(UndoHistory, [](const ScreenSet& s) { return s.Undone == 1; });
    if (UndoHistory.size() >= kUndoLimit)
        UndoHistory.erase(UndoHistory.begin());
    ScreenSet snapshot = SnapshotOfScreens(UndoHistory.empty() ? nullptr : &UndoHistory.back());
    UndoHistory.push_back(std::move(snapshot));
}

void CVX50TextDoc::DropUndoHistory()
{
    // A full history of a large project takes long to free; the user does
    // not wait for it.
    if (!UndoHistory.empty())
        ReleaseInBackground(std::exchange(UndoHistory, {}));
}

void CVX50TextDoc::ResetUndoHistory()
{
    DropUndoHistory();
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
    Screens.clear();
    Screens.reserve(live.Screens.size());
    for (const ScreenSnapshot& screen : live.Screens) {
        ScreenRecord& record = Screens.emplace_back();
        record.Elements = CloneElementList(screen.Frozen->Elements, true);
        record.Number = screen.Number;
        record.Port = screen.Port;
        record.Description = screen.Description;
        record.UpKeyScreen = screen.UpKeyScreen;
        record.DownKeyScreen = screen.DownKeyScreen;
    }
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
