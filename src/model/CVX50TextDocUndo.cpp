// Undo and redo by whole-project snapshots. A snapshot holds clones of the
// elements of every screen; a screen whose elements did not change since the
// previous snapshot (equal fingerprint digests) shares that snapshot's
// clones, so an edit costs a fingerprint of the screens it may have changed
// and clones of what it changed.
// Every screen but the edited one stays tied to the history's entry that
// holds its state until the screen is prepared for an edit: a snapshot takes
// that entry as it is, without a fingerprint. A reset of the history (every
// open) clones nothing but the edited screen, its other entries waiting for
// the live elements; undo and redo tie the screens they restore to the
// entries they were restored from, and keep as they are the live elements of
// the screens the two states share.
// The last snapshot is the live state; snapshots marked undone form the redo
// chain. Undo moves the live state into the restore point's slot (marked
// undone) and redo moves it back, so a state is never lost until a new edit
// drops the redo chain.

#include "model/CVX50TextDoc.h"

#include "base/ByteWriter.h"
#include "base/UserInterface.h"
#include "model/ElementFingerprint.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <unordered_map>
#include <utility>

namespace {

// The previous snapshot's screen numbered `number`: at `index` while the
// screens keep their places, else searched for; nullptr when there is none.
const ScreenSnapshot* ScreenBefore(const ScreenSet* previous, std::size_t index, int number)
{
    if (!previous)
        return nullptr;
    const std::vector<ScreenSnapshot>& screens = previous->Screens;
    if (index < screens.size() && screens[index].Number == number)
        return &screens[index];
    const auto found = std::find_if(screens.begin(), screens.end(),
                                    [number](const ScreenSnapshot& s) { return s.Number == number; });
    return found == screens.end() ? nullptr : &*found;
}

// The digest of the elements' fingerprint, written into `scratch` (whose
// room serves the next fingerprint too).
FingerprintDigest DigestOfElements(const ElementList& elements, ByteWriter& scratch)
{
    scratch.Clear();
    WriteElementsFingerprint(scratch, elements);
    return DigestOfFingerprint(scratch.Data());
}

// The digest of what `frozen` holds, taken now if it was not known. A waiting
// entry holds nothing to take it from: nullopt then (builds with assertions
// took it at the reset).
std::optional<FingerprintDigest> DigestOfFrozen(FrozenElements& frozen, ByteWriter& scratch)
{
    if (!frozen.Digest && !frozen.Waiting)
        frozen.Digest = DigestOfElements(frozen.Elements, scratch);
    return frozen.Digest;
}

} // namespace

ScreenSet CVX50TextDoc::SnapshotOfScreens(const ScreenSet* previous) const
{
    const auto tied = [this](std::size_t i) {
        return i < ScreensSharedWithHistory.size() ? ScreensSharedWithHistory[i] : nullptr;
    };
    ScreenSet set;
    set.Current = CurrentScreenNumber;
    set.Screens.reserve(Screens.size());
    ByteWriter fingerprint;
    for (std::size_t i = 0; i < Screens.size(); ++i) {
        const ScreenRecord& screen = Screens[i];
        std::shared_ptr<FrozenElements> frozen = tied(i);
        if (frozen) {
            // Built with assertions: nothing changed the screen unprepared.
            assert(DigestOfElements(screen.Elements, fingerprint) == DigestOfFrozen(*frozen, fingerprint));
        } else {
            const FingerprintDigest digest = DigestOfElements(screen.Elements, fingerprint);
            const ScreenSnapshot* before = ScreenBefore(previous, i, screen.Number);
            frozen = before && DigestOfFrozen(*before->Frozen, fingerprint) == digest
                ? before->Frozen
                : std::make_shared<FrozenElements>(
                    FrozenElements{CloneElementList(screen.Elements, true), digest, false});
        }
        set.Screens.push_back({static_cast<const ScreenFields&>(screen), std::move(frozen)});
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

void CVX50TextDoc::ResetUndoHistory()
{
    UndoHistory.clear();
    ScreensSharedWithHistory.clear();
    ScreensSharedWithHistory.reserve(Screens.size());
    for (const ScreenRecord& screen : Screens) {
        std::shared_ptr<FrozenElements> entry;
        if (screen.Number != CurrentScreenNumber) {
            entry = std::make_shared<FrozenElements>();
            entry->Waiting = true;
#ifndef NDEBUG
            ByteWriter fingerprint;
            entry->Digest = DigestOfElements(screen.Elements, fingerprint);
#endif
        }
        ScreensSharedWithHistory.push_back(std::move(entry));
    }
    PushUndoSnapshot();
}

void CVX50TextDoc::UntieFromHistory(std::size_t index, bool elementsLeaveProject)
{
    if (index >= ScreensSharedWithHistory.size() || !ScreensSharedWithHistory[index])
        return;
    const std::shared_ptr<FrozenElements> entry = std::move(ScreensSharedWithHistory[index]);
    // Screens are removed with their entries (EraseScreen).
    assert(index < Screens.size());
    if (index >= Screens.size() || !entry->Waiting)
        return;
    const ElementList& elements = Screens[index].Elements;
#ifndef NDEBUG
    // Nothing changed the screen unprepared. (Without assertions the digest
    // is taken when a snapshot first compares with the entry.)
    ByteWriter fingerprint;
    assert(entry->Digest == DigestOfElements(elements, fingerprint));
#endif
    entry->Elements = elementsLeaveProject ? elements : CloneElementList(elements, true);
    entry->Waiting = false;
}

void CVX50TextDoc::PrepareScreenForEdit(int number)
{
    for (std::size_t i = 0; i < ScreensSharedWithHistory.size() && i < Screens.size(); ++i)
        if (Screens[i].Number == number)
            UntieFromHistory(i, false);
}

const ScreenRecord* CVX50TextDoc::EditScreen(int number)
{
    PrepareScreenForEdit(number);
    CurrentScreenNumber = number;
    const ScreenRecord* screen = FindScreenByNumber(number);
    if (screen)
        SetWorkingElements(screen->Elements);
    return screen;
}

void CVX50TextDoc::EraseScreen(std::vector<ScreenRecord>::iterator at)
{
    const auto index = static_cast<std::size_t>(at - Screens.begin());
    UntieFromHistory(index, true);
    if (index < ScreensSharedWithHistory.size())
        ScreensSharedWithHistory.erase(ScreensSharedWithHistory.begin() + static_cast<std::ptrdiff_t>(index));
    Screens.erase(at);
}

void CVX50TextDoc::PrepareAllScreensForEdit()
{
    for (std::size_t i = 0; i < ScreensSharedWithHistory.size(); ++i)
        UntieFromHistory(i, false);
    ScreensSharedWithHistory.clear();
}

CVX50TextDoc CVX50TextDoc::CopyWithoutHistory()
{
    std::vector<ScreenSet> history = std::exchange(UndoHistory, {});
    std::vector<std::shared_ptr<FrozenElements>> shared = std::exchange(ScreensSharedWithHistory, {});
    CVX50TextDoc copy = *this;
    UndoHistory = std::move(history);
    ScreensSharedWithHistory = std::move(shared);
    return copy;
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
    // The screens tied to a filled entry hold what the entry holds (objects
    // of their own): where the restored state has the same entry, they are
    // kept as they are. A waiting entry takes the live elements as they
    // leave the project.
    std::unordered_map<const FrozenElements*, std::size_t> unchanged;
    for (std::size_t i = 0; i < ScreensSharedWithHistory.size() && i < Screens.size(); ++i) {
        const FrozenElements* entry = ScreensSharedWithHistory[i].get();
        if (entry && !entry->Waiting)
            unchanged.emplace(entry, i);
        else
            UntieFromHistory(i, true);
    }
    ScreensSharedWithHistory.clear();
    std::vector<ScreenRecord> leaving = std::exchange(Screens, {});

    const ScreenSet& live = UndoHistory.back();
    Screens.reserve(live.Screens.size());
    ScreensSharedWithHistory.reserve(live.Screens.size());
    for (const ScreenSnapshot& screen : live.Screens) {
        ScreenRecord& record = Screens.emplace_back();
        static_cast<ScreenFields&>(record) = screen;
        // The edited screen's elements are the working list's, which edits
        // change without preparing: clones that no entry stands for.
        const bool edited = screen.Number == live.Current;
        const auto kept = edited ? unchanged.end() : unchanged.find(screen.Frozen.get());
        if (kept != unchanged.end()) {
            record.Elements = std::move(leaving[kept->second].Elements);
            unchanged.erase(kept);
        } else {
            record.Elements = CloneElementList(screen.Frozen->Elements, true);
        }
        ScreensSharedWithHistory.push_back(edited ? nullptr : screen.Frozen);
    }
    CurrentScreenNumber = live.Current;
    const ScreenRecord* editedScreen = FindScreenByNumber(CurrentScreenNumber);
    SetWorkingElements(editedScreen ? editedScreen->Elements : ElementList());
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
