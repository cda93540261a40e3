// Saving and opening the largest project the file can hold: 256 screens of
// 255 elements of every kind. Both should pass unnoticed by the user. The
// second set leaves the pictures out, to show what they add. The heap the
// opened project holds is measured on its own.
// Opening is measured as the reader alone and as the main window runs it
// (the File New before it, the reading, the refreshed windows), also over a
// project that is open with a full undo history. Each label names the goal.
#include "EditHistory.h"
#include "LargestProject.h"
#include "MemoryUse.h"

#include "shell/ui/CMainFrame.h"
#include "shell/ui/GuiUserInterface.h"
#include "shell/ui/ProjectOpen.h"

#include <QCoreApplication>

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
    state.SetLabel("goal < 100 ms, with its fdatasync");
}
BENCHMARK(BM_SaveLargestProject)->ArgName("pictures")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The path of the project saved as a file, for the benchmarks that open it.
std::string SavedProject(bool withPictures)
{
    LargeProject& project = Project(withPictures);
    const std::string path = project.folder.path().toStdString() + "/open.opf";
    SaveProjectFile(project.doc, path, true);
    return path;
}

void BM_OpenLargestProject(benchmark::State& state)
{
    const std::string path = SavedProject(state.range(0) != 0);
    StartWithFreshPages();
    for (auto _ : state) {
        CVX50TextDoc doc;
        bool display = true;
        benchmark::DoNotOptimize(OpenProjectFile(doc, path, display));
    }
    state.SetLabel("goal < 100 ms");
}
BENCHMARK(BM_OpenLargestProject)->ArgName("pictures")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The heap the opened project holds: its screens, elements and tables, and
// its undo history's first snapshot. Goal: under 15 MB, about 200 bytes an
// element with its screen's lists.
void BM_OpenedLargestProjectHeap(benchmark::State& state)
{
    const std::string path = SavedProject(state.range(0) != 0);
    double heap = 0;
    for (auto _ : state) {
        const double before = HeapMegabytes();
        auto doc = std::make_unique<CVX50TextDoc>();
        bool display = true;
        OpenProjectFile(*doc, path, display);
        heap = HeapMegabytes() - before;
    }
    state.counters["heap_MB"] = heap;
    state.SetLabel("goal < 15 MB");
}
BENCHMARK(BM_OpenedLargestProjectHeap)->ArgName("pictures")->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

// The program's main window, shown, with its user interface.
struct MainWindow {
    CVX50TextDoc doc;
    CMainFrame frame{doc};
    GuiUserInterface ui{frame};

    MainWindow() { frame.show(); }

    // File Open as the command runs it once the file is chosen, until the
    // windows have handled what the open posted.
    bool Open(const QString& path)
    {
        doc.ProjectModified = 0;
        doc.TidyAndCommitWorkingElements();
        const bool opened = OpenProjectInto(frame, path);
        QCoreApplication::processEvents();
        return opened;
    }
};

void BM_OpenLargestProjectInMainWindow(benchmark::State& state)
{
    const QString path = QString::fromStdString(SavedProject(true));
    MainWindow window;
    StartWithFreshPages();
    for (auto _ : state) {
        if (!window.Open(path)) {
            state.SkipWithError("the project did not open");
            return;
        }
    }
    state.SetLabel("goal < 100 ms");
}
BENCHMARK(BM_OpenLargestProjectInMainWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

// File Open while the largest project is open with a full undo history.
void BM_FileOpenOverFullUndoHistory(benchmark::State& state)
{
    const QString path = QString::fromStdString(SavedProject(true));
    MainWindow window;
    window.Open(path);
    for (auto _ : state) {
        state.PauseTiming();
        FillUndoHistory(window.doc);
        StartWithFreshPages();
        state.ResumeTiming();
        if (!window.Open(path)) {
            state.SkipWithError("the project did not open");
            return;
        }
    }
    state.SetLabel("goal < 100 ms");
}
BENCHMARK(BM_FileOpenOverFullUndoHistory)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

#include "OffscreenBenchmarkMain.h"
