// The canvas repaints ten times a second and on every mouse move; one paint
// of a full screen (255 elements, every one selected so the frames are drawn
// too) must stay far below one frame at 60 Hz, and so must a paint while one
// element of a full screen is dragged.
#include "shell/ui/CPaneCtrl.h"
#include "model/CVX50TextDoc.h"
#include "shell/ElementPlacement.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

constexpr int kCanvasWidth = 486;
constexpr int kCanvasHeight = 178;

// A full screen of every kind the tools place, spread over the display.
void FillScreen(CVX50TextDoc& doc)
{
    const ToolCode tools[] = {ToolLamp, ToolFuncKey, ToolStaticText, ToolDynamicText, ToolRegister, ToolBarGraph,
        ToolCurveGraph, ToolPicture};
    PictureDots picture{32, 16, std::vector<std::uint8_t>(32 * 16 * 4, 0)};
    for (std::size_t i = 0; i < kMaxScreenElements; ++i) {
        const int px = static_cast<int>(i * 37 % kCanvasWidth);
        const int py = static_cast<int>(i * 13 % kCanvasHeight);
        PlaceToolElement(doc, tools[i % std::size(tools)], px, py, kCanvasWidth, kCanvasHeight, &picture);
    }
}

void SelectAll(const CVX50TextDoc& doc)
{
    for (const ElementRef& ref : doc.GetWorkingElements())
        ref.element->Selected = 1;
}

void BM_PaintFullScreen(benchmark::State& state)
{
    CVX50TextDoc doc;
    FillScreen(doc);
    SelectAll(doc);
    CPaneCtrl canvas(doc, nullptr);
    canvas.resize(kCanvasWidth, kCanvasHeight);
    QImage image(kCanvasWidth, kCanvasHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        canvas.Render(painter);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["elements"] = static_cast<double>(doc.GetWorkingElements().size());
}
BENCHMARK(BM_PaintFullScreen)->Unit(benchmark::kMicrosecond);

// One step of a drag: the selected element in the middle of the drawing
// order moves by one dot, the other 254 stay, and the canvas repaints.
void BM_PaintDragStep(benchmark::State& state)
{
    CVX50TextDoc doc;
    FillScreen(doc);
    const auto& moved = doc.GetWorkingElements()[kMaxScreenElements / 2].element;
    moved->Selected = 1;
    CPaneCtrl canvas(doc, nullptr);
    canvas.resize(kCanvasWidth, kCanvasHeight);
    QImage image(kCanvasWidth, kCanvasHeight, QImage::Format_RGB32);
    const DotPoint start = moved->GetPosition();
    int step = 0;
    for (auto _ : state) {
        moved->SetPosition(start.x + step % 2, start.y);
        ++step;
        QPainter painter(&image);
        canvas.Render(painter);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintDragStep)->Unit(benchmark::kMicrosecond);

} // namespace

#include "OffscreenBenchmarkMain.h"
