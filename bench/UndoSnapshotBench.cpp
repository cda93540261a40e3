// The undo history on the largest project as opened from its file (256
// screens of 255 elements of every kind, pictures included): the snapshot
// every edit takes (also the end of a drag), with the history filling up and
// once it is full; undo and redo; and the memory a full history holds. Each
// figure's label names its goal.
// The snapshots are measured as after an open (only the edited screen
// prepared for edits) and with every screen prepared, as after a command
// across screens (the most a snapshot fingerprints); each of them also after
// an undo, which must leave the screens it did not change as an open does.

#include "EditHistory.h"
#include "LargestProject.h"
#include "MemoryUse.h"

#include <benchmark/benchmark.h>

namespace {

// The history reset as an open resets it; with `afterUndo`, then an edit
// undone; with `allPrepared`, then as a command across screens leaves it.
void ResetHistory(CVX50TextDoc& doc, bool allPrepared, bool afterUndo = false)
{
    doc.ResetUndoHistory();
    if (afterUndo) {
        MoveOneElementAndPush(doc, 0);
        doc.OnEditUndo();
    }
    if (allPrepared)
        doc.PrepareAllScreensForEdit();
}

// A snapshot after an edit of one screen costs little; one that fingerprints
// every screen, as after a command across screens, more.
const char* SnapshotGoal(bool allPrepared)
{
    return allPrepared ? "goal < 10 ms" : "goal < 1 ms";
}

LargeProject& Project()
{
    static LargeProject project(true);
    return project;
}

// The resident memory and heap that a full history of edits holds, every
// screen prepared (its first snapshot a clone of the whole project).
void BM_ThirtyTwoSnapshotsOfLargestProject(benchmark::State& state)
{
    CVX50TextDoc& doc = Project().doc;
    for (auto _ : state) {
        doc.UndoHistory.clear();
        StartWithFreshPages();
        const double resident = ResidentMegabytes();
        const double heap = HeapMegabytes();
        ResetHistory(doc, true);
        FillUndoHistory(doc);
        state.counters["resident_MB"] = ResidentMegabytes() - resident;
        state.counters["heap_MB"] = HeapMegabytes() - heap;
        state.counters["snapshots"] = static_cast<double>(doc.UndoHistory.size());
    }
    state.SetLabel("goal resident_MB < 300");
}
BENCHMARK(BM_ThirtyTwoSnapshotsOfLargestProject)->Unit(benchmark::kMillisecond)->Iterations(1);

// The edits that take a reset history (one snapshot) to full: none of their
// snapshots drops the oldest.
constexpr int kEditsUntilFull = static_cast<int>(CVX50TextDoc::kUndoLimit) - 1;

// One edit's snapshot while the history grows from one snapshot to full,
// twice over.
void BM_SnapshotWhileHistoryGrows(benchmark::State& state)
{
    CVX50TextDoc& doc = Project().doc;
    const bool allPrepared = state.range(0) != 0;
    const bool afterUndo = state.range(1) != 0;
    ResetHistory(doc, allPrepared, afterUndo);
    StartWithFreshPages();
    int step = 0;
    for (auto _ : state) {
        if (step > 0 && step % kEditsUntilFull == 0) {
            state.PauseTiming();
            ResetHistory(doc, allPrepared, afterUndo);
            state.ResumeTiming();
        }
        MoveOneElementAndPush(doc, step++);
    }
    state.SetLabel(SnapshotGoal(allPrepared));
}
BENCHMARK(BM_SnapshotWhileHistoryGrows)->ArgNames({"all_prepared", "after_undo"})
    ->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond)->Iterations(2 * kEditsUntilFull);

// One edit's snapshot once the history is full (the oldest is dropped).
void BM_SnapshotWithFullHistory(benchmark::State& state)
{
    CVX50TextDoc& doc = Project().doc;
    const bool allPrepared = state.range(0) != 0;
    ResetHistory(doc, allPrepared);
    FillUndoHistory(doc);
    if (state.range(1) != 0) {
        doc.OnEditUndo();
        if (allPrepared)
            doc.PrepareAllScreensForEdit();
    }
    StartWithFreshPages();
    int step = 0;
    for (auto _ : state)
        MoveOneElementAndPush(doc, step++);
    state.counters["snapshots"] = static_cast<double>(doc.UndoHistory.size());
    state.SetLabel(SnapshotGoal(allPrepared));
}
BENCHMARK(BM_SnapshotWithFullHistory)->ArgNames({"all_prepared", "after_undo"})->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// One undo and one redo with a full history.
void BM_UndoThenRedo(benchmark::State& state)
{
    CVX50TextDoc& doc = Project().doc;
    doc.ResetUndoHistory();
    FillUndoHistory(doc);
    StartWithFreshPages();
    for (auto _ : state) {
        doc.OnEditUndo();
        doc.OnEditRedo();
    }
    state.SetLabel("goal < 10 ms");
}
BENCHMARK(BM_UndoThenRedo)->Unit(benchmark::kMillisecond);

// The first undo after an open: the screens whose history entries still wait
// for their live elements take them, and get clones (every later undo and
// redo keeps the screens it does not change).
void BM_FirstUndoAfterOpen(benchmark::State& state)
{
    CVX50TextDoc& doc = Project().doc;
    for (auto _ : state) {
        state.PauseTiming();
        doc.ResetUndoHistory();
        MoveOneElementAndPush(doc, 0);
        StartWithFreshPages();
        state.ResumeTiming();
        doc.OnEditUndo();
    }
    state.SetLabel("the first undo after an open");
}
BENCHMARK(BM_FirstUndoAfterOpen)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
