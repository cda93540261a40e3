// Cost of one undo snapshot and one undo of a large project: 256 screens,
// each with 40 function keys, 40 lamps and 8 full-size pictures; and the
// memory a full undo history (32 snapshots) of the largest project holds.

#include "LargestProject.h"
#include "MemoryUse.h"

#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/CVX50TextDoc.h"

#include <benchmark/benchmark.h>

namespace {

void FillProject(CVX50TextDoc& doc)
{
    doc.Screens.clear();
    for (int n = 1; n <= 256; ++n) {
        ScreenRecord screen;
        screen.Number = n;
        for (int i = 0; i < 40; ++i) {
            screen.Elements.push_back({KindFuncKey, std::make_shared<CFuncKeyElement>()});
            screen.Elements.push_back({KindLamp, std::make_shared<CLampElement>()});
        }
        for (int i = 0; i < 8; ++i) {
            auto picture = std::make_shared<CPictureElement>();
            picture->SetPixelStore(std::vector<std::uint8_t>(CPictureElement::kPixelStoreSize, 0xFF));
            picture->SetSize(192, 64);
            screen.Elements.push_back({KindPicture, picture});
        }
        doc.Screens.push_back(std::move(screen));
    }
    doc.CurrentScreenNumber = 1;
    doc.WorkingElements = doc.Screens[0].Elements;
    doc.ResetUndoHistory();
}

void PushSnapshot(benchmark::State& state)
{
    CVX50TextDoc doc;
    FillProject(doc);
    for (auto _ : state)
        doc.PushUndoSnapshot();
    state.counters["snapshots"] = static_cast<double>(doc.UndoHistory.size());
}
BENCHMARK(PushSnapshot)->Unit(benchmark::kMillisecond);

void UndoRedo(benchmark::State& state)
{
    CVX50TextDoc doc;
    FillProject(doc);
    doc.PushUndoSnapshot();
    for (auto _ : state) {
        doc.OnEditUndo();
        doc.OnEditRedo();
    }
}
BENCHMARK(UndoRedo)->Unit(benchmark::kMillisecond);

// Fills the undo history of the largest project with pictures and reports
// the resident memory and the heap the 32 snapshots add.
void BM_ThirtyTwoSnapshotsOfLargestProject(benchmark::State& state)
{
    LargeProject project(true);
    for (auto _ : state) {
        project.doc.ResetUndoHistory();
        const double resident = ResidentMegabytes();
        const double heap = HeapMegabytes();
        for (int i = 0; i < 32; ++i)
            project.doc.PushUndoSnapshot();
        state.counters["resident_MB"] = ResidentMegabytes() - resident;
        state.counters["heap_MB"] = HeapMegabytes() - heap;
        state.counters["snapshots"] = static_cast<double>(project.doc.UndoHistory.size());
    }
}
BENCHMARK(BM_ThirtyTwoSnapshotsOfLargestProject)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
