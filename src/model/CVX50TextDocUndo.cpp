// Undo and redo by whole-project snapshots. A snapshot holds clones of the
// elements of every screen; a screen whose elements did not change since the
// previous snapshot (equal fingerprint digests) shares that snapshot's
// clones, so an edit costs a fingerprint of the screens it may have changed
// and clones of what it changed. A reset of the history (every open) clones
// nothing but the edited screen: the other screens' entries stand for their
// live elements and are filled when a screen is prepared for an edit.
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
FingerprintDigest DigestOfElements(const ElementList& elements, const CVX50TextDoc& doc, ByteWriter& scratch)
{
    scratch.Clear();
    WriteElementsFingerprint(scratch, elements, doc);
    return DigestOfFingerprint(scratch.Data());
}

} // namespace

ScreenSet CVX50TextDoc::SnapshotOfScreens(const ScreenSet* previous) const
{
    const auto shared = [this](std::size_t i) {
        return i < ScreensSharedWithHistory.size() ? ScreensSharedWithHistory[i] : nullptr;
    };
    ScreenSet set;
    set.Current = CurrentScreenNumber;
    set.Screens.reserve(Screens.size());
    ByteWriter fingerprint;
    for (std::size_t i = 0; i < Screens.size(); ++i) {
        const ScreenRecord& screen = Screens[i];
        std::shared_ptr<const FrozenElements> frozen = shared(i);
        if (frozen) {
            // Built with assertions: nothing changed the screen unprepared.
            assert(DigestOfElements(screen.Elements, *this, fingerprint) == frozen->Digest);
        } else {
            const FingerprintDigest digest = DigestOfElements(screen.Elements, *this, fingerprint);
            const ScreenSnapshot* before = ScreenBefore(previous, i, screen.Number);
            frozen = before && before->Frozen->Digest == digest
                ? before->Frozen
                : std::make_shared<const FrozenElements>(
                    FrozenElements{CloneElementList(screen.Elements, true), digest});
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
#ifndef NDEBUG
            ByteWriter fingerprint;
            entry->Digest = DigestOfElements(screen.Elements, *this, fingerprint);
#endif
        }
        ScreensSharedWithHistory.push_back(std::move(entry));
    }
    PushUndoSnapshot();
}

void CVX50TextDoc::FillSharedEntry(std::size_t index, bool elementsLeaveProject)
{
    if (index >= ScreensSharedWithHistory.size() || !ScreensSharedWithHistory[index])
        return;
    const std::shared_ptr<FrozenElements> entry = std::move(ScreensSharedWithHistory[index]);
    // Screens are removed with their entries (EraseScreen).
    assert(index < Screens.size());
    if (index >= Screens.size())
        return;
    const ElementList& elements = Screens[index].Elements;
    ByteWriter fingerprint;
    const FingerprintDigest digest = DigestOfElements(elements, *this, fingerprint);
    assert(entry->Digest == digest);
    entry->Digest = digest;
    entry->Elements = elementsLeaveProject ? elements : CloneElementList(elements, true);
}

void CVX50TextDoc::PrepareScreenForEdit(int number)
{
    for (std::size_t i = 0; i < ScreensSharedWithHistory.size() && i < Screens.size(); ++i)
        if (Screens[i].Number == number)
            FillSharedEntry(i, false);
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
    FillSharedEntry(index, true);
    if (index < ScreensSharedWithHistory.size())
        ScreensSharedWithHistory.erase(ScreensSharedWithHistory.begin() + static_cast<std::ptrdiff_t>(index));
    Screens.erase(at);
}

void CVX50TextDoc::PrepareAllScreensForEdit()
{
    FillAllSharedEntries(false);
}

void CVX50TextDoc::FillAllSharedEntries(bool elementsLeaveProject)
{
    for (std::size_t i = 0; i < ScreensSharedWithHistory.size(); ++i)
        FillSharedEntry(i, elementsLeaveProject);
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
    // The live elements are replaced: the entries that still stand for them
    // take them as they are.
    FillAllSharedEntries(true);

    const ScreenSet& live = UndoHistory.back();
    Screens.clear();
    Screens.reserve(live.Screens.size());
    for (const ScreenSnapshot& screen : live.Screens) {
        ScreenRecord& record = Screens.emplace_back();
        static_cast<ScreenFields&>(record) = screen;
        record.Elements = CloneElementList(screen.Frozen->Elements, true);
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
