// Saving and opening the largest project the file can hold: 256 screens of
// 255 elements of every kind. Both should pass unnoticed by the user. The
// second set leaves the pictures out, to show what they add. Opening also
// reports the heap the opened project holds (with its first undo snapshot).
#include "LargestProject.h"
#include "MemoryUse.h"

#include <benchmark/benchmark.h>

namespace {

LargeProject& Project(bool withPictures)
{
    static LargeProject all(true);
    static LargeProject noPictures(false);
    return withPictures ? all : noPictures;
}

void BM_SaveLargestProject(benchmark::State& state)
{
    LargeProject& project = Project(state.range(0) != 0);
    const std::string path = project.folder.path().toStdString() + "/large.opf";
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveProjectFile(project.doc, path, true));
    state.counters["bytes"] = static_cast<double>(project.bytes.size());
}
BENCHMARK(BM_SaveLargestProject)->ArgName("pictures")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_OpenLargestProject(benchmark::State& state)
{
    LargeProject& project = Project(state.range(0) != 0);
    const std::string path = project.folder.path().toStdString() + "/open.opf";
    SaveProjectFile(project.doc, path, true);
    for (auto _ : state) {
        CVX50TextDoc doc;
        bool display = true;
        benchmark::DoNotOptimize(OpenProjectFile(doc, path, display));
    }
    const double before = HeapMegabytes();
    auto doc = std::make_unique<CVX50TextDoc>();
    bool display = true;
    OpenProjectFile(*doc, path, display);
    state.counters["project_MB"] = HeapMegabytes() - before;
}
BENCHMARK(BM_OpenLargestProject)->ArgName("pictures")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The heap the opened project holds on its own: its screens, elements and
// tables, without the undo history (the undo benchmarks weigh that). Goal:
// under 15 MB, about 200 bytes an element with its screen's lists.
void BM_OpenedLargestProjectHeap(benchmark::State& state)
{
    LargeProject& project = Project(state.range(0) != 0);
    const std::string path = project.folder.path().toStdString() + "/heap.opf";
    SaveProjectFile(project.doc, path, true);
    double heap = 0;
    for (auto _ : state) {
        const double before = HeapMegabytes();
        auto doc = std::make_unique<CVX50TextDoc>();
        bool display = true;
        OpenProjectFile(*doc, path, display);
        doc->UndoHistory.clear();
        heap = HeapMegabytes() - before;
    }
    state.counters["heap_MB"] = heap;
    state.counters["goal_MB"] = 15;
}
BENCHMARK(BM_OpenedLargestProjectHeap)->ArgName("pictures")->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
