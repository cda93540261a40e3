// Cost of one undo snapshot and one undo of a large project: 256 screens,
// each with 40 function keys, 40 lamps and 8 full-size pictures.

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

} // namespace

BENCHMARK_MAIN();
