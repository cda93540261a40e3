// The cost of the serial link's own work: the CRC of a block frame, and one
// block exchange with the emulated panel on a pseudo-terminal (the emulator
// waits for 5 ms of silence before it answers, so this bounds the program's
// overhead per block rather than measuring a real line).
#include "emulator/PanelEmulator.h"
#include "transfer/PanelFrames.h"
#include "transfer/PanelSerial.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

void BM_BuildPageFrame(benchmark::State& state)
{
    std::array<std::uint8_t, kBlockSize> data{};
    std::array<std::uint8_t, kBlockFrameLength> frame{};
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildPageFrame(data.data(), frame.data(), kFirstMainBlock));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBlockFrameLength));
}
BENCHMARK(BM_BuildPageFrame);

void BM_BlockWriteExchange(benchmark::State& state)
{
    PanelEmulator panel;
    CPanelSerial port;
    if (!panel.Start() || !port.InitComm(QString::fromStdString(panel.DevicePath()), 19200, 8, 0, 1.0f, 2048, 2048)) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    std::array<std::uint8_t, kBeginReplyLength> begin{};
    port.CommandSend(kBeginFrame.data(), kBeginFrame.size(), begin.data(), begin.size());
    std::array<std::uint8_t, kBlockSize> data{};
    std::array<std::uint8_t, kBlockFrameLength> frame{};
    std::array<std::uint8_t, kBlockWriteReplyLength> reply{};
    BuildPageFrame(data.data(), frame.data(), kFirstMainBlock);
    for (auto _ : state) {
        if (port.CommandSend(frame.data(), frame.size(), reply.data(), reply.size()) != kSerialOk)
            state.SkipWithError("exchange failed");
    }
}
BENCHMARK(BM_BlockWriteExchange)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

// The port needs an application object, as in the program.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
