// What the simulation costs per polled value of a register, a dynamic text
// and a curve (the worker calls these for every item of every pass), and what
// a repaint of a screen full of registers costs on a canvas of 486 x 178.
#include "model/elements/CGraphElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

void BM_RegisterLiveValueScaled(benchmark::State& state)
{
    CRegisterElement reg;
    reg.Decimals = 2;
    reg.SetSigned(1);
    reg.SetEngineeringScale(1);
    reg.SetRawRange(4000, 0);
    reg.EngUpper = 100;
    int value = 0;
    for (auto _ : state) {
        reg.ShowLiveValue(value, 16);
        value = (value + 7) & 0xFFFF;
    }
    benchmark::DoNotOptimize(reg.GetEntryText());
}
BENCHMARK(BM_RegisterLiveValueScaled);

void BM_DynamicTextSelect(benchmark::State& state)
{
    CTextElement text(1);
    for (int i = 0; i < 128; ++i)
        text.AddState("STATE" + std::to_string(i), std::to_string(i));
    int value = 0;
    for (auto _ : state) {
        text.SelectStateByValue(value);
        value = (value + 1) % 128;
    }
    benchmark::DoNotOptimize(text.ShownEntry());
}
BENCHMARK(BM_DynamicTextSelect);

void BM_CurveSample(benchmark::State& state)
{
    CGraphElement curve(1);
    curve.DataPoints = 100;
    int value = 0;
    for (auto _ : state) {
        curve.ShowLiveValue(value, 16);
        value = (value + 13) & 0xFFFF;
    }
}
BENCHMARK(BM_CurveSample);

// 24 registers in a 4 x 6 grid drawn with their live texts.
void BM_DrawRegisterScreen(benchmark::State& state)
{
    std::vector<std::unique_ptr<CRegisterElement>> registers;
    for (int i = 0; i < 24; ++i) {
        auto reg = std::make_unique<CRegisterElement>();
        reg->SetPosition((i % 4) * 48, (i / 4) * 10);
        reg->SetSize(40, 16);
        reg->ShowLiveValue(i * 111, 16);
        registers.push_back(std::move(reg));
    }
    QImage image(486, 178, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        for (const auto& reg : registers)
            reg->Draw(painter, image.rect(), true);
    }
}
BENCHMARK(BM_DrawRegisterScreen);

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
