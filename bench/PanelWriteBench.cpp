// The whole write command for the largest image the panel takes (142 main
// blocks and the header) against the emulated panel, which paces its replies
// as a line of 19200 baud would. Reported against the wire time of every byte
// exchanged (frames and replies, 10 bits a character). Target: the total
// within 2 % of the wire time.
#include "base/UserInterface.h"
#include "emulator/PanelEmulator.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CPictureElement.h"
#include "support/PanelImageOf.h"
#include "transfer/PanelFrames.h"
#include "transfer/ProtocolLibrary.h"
#include "transfer/WritePanelCommand.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kBaud = 19200;
constexpr int kBitsPerCharacter = 10;

std::shared_ptr<CPictureElement> Picture(int width, int height)
{
    auto picture = std::make_shared<CPictureElement>();
    picture->SetPixelStore(std::vector<std::uint8_t>(CPictureElement::kPixelStoreSize, 0));
    picture->SetSize(width, height);
    return picture;
}

// One screen of pictures whose main area is 36100 bytes: glyph count (2),
// screen record (8), 23 pictures of the display (8 + 1536 each), one of
// 94 x 48 (8 + 564), the description table (4) and the table length (2).
void FillLargestImage(CVX50TextDoc& doc)
{
    doc.DeviceName = "PN07";
    doc.ProtocolLibraryName = "ModBus Slave.dll";
    doc.TableEditable = 0;
    doc.UseProtocolLibrary = 1;
    ScreenRecord& screen = doc.Screens.front();
    screen.Description.clear();
    doc.CurrentScreenNumber = screen.Number;
    doc.WorkingElements.clear();
    for (int k = 0; k < 23; ++k)
        doc.WorkingElements.push_back({KindPicture, Picture(192, 64)});
    doc.WorkingElements.push_back({KindPicture, Picture(94, 48)});
    doc.CommitWorkingElements();
}

// The blocks of the image's main area and header, built as the write builds them.
std::pair<int, int> ImageBlocks(const CVX50TextDoc& doc)
{
    ProtocolFunctionTable protocol;
    if (!LoadProtocolLibrary(doc.ProtocolLibraryName, ProtocolUse::Write, protocol))
        return {0, 0};
    const std::optional<PanelImageAreas> image = PanelImageOf(doc, protocol, CurrentUi());
    if (!image)
        return {0, 0};
    return {static_cast<int>(image->main.size() / kBlockSize), static_cast<int>(image->header.size() / kBlockSize)};
}

int ReplyLength(std::uint8_t function)
{
    switch (function) {
    case kFunctionBlockWrite: return kBlockWriteReplyLength;
    case kFunctionVersion: return kVersionReplyLength;
    case kFunctionEnd: return kEndReplyLength;
    default: return kBeginReplyLength;
    }
}

void BM_WriteLargestImage(benchmark::State& state)
{
    CVX50TextDoc doc;
    FillLargestImage(doc);
    const auto [mainBlocks, headerBlocks] = ImageBlocks(doc);
    if (mainBlocks != 142 || headerBlocks < 1) {
        state.SkipWithError("the project does not build the largest image");
        return;
    }
    double wireSeconds = 0;
    double totalSeconds = 0; // over all iterations
    for (auto _ : state) {
        PanelEmulator panel;
        if (!panel.Start()) {
            state.SkipWithError("no pseudo-terminal");
            return;
        }
        panel.SetLineSpeed(kBaud);
        ProtocolFunctionTable protocol;
        WritePanelCommand::Options options;
        options.askDescriptions = false;
        options.portName = QString::fromStdString(panel.DevicePath());
        const auto start = std::chrono::steady_clock::now();
        const bool written = WritePanelCommand(doc, protocol, CurrentUi()).Run(options);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        totalSeconds += seconds;
        if (!written || panel.FrameCount(kFunctionBlockWrite) != mainBlocks + headerBlocks) {
            state.SkipWithError("the write failed");
            return;
        }
        std::size_t characters = 0;
        for (const auto& frame : panel.ReceivedFrames())
            characters += frame.size() + static_cast<std::size_t>(ReplyLength(frame[1]));
        wireSeconds = static_cast<double>(characters * kBitsPerCharacter) / kBaud;
        state.SetIterationTime(seconds);
    }
    state.counters["main blocks"] = mainBlocks;
    state.counters["header blocks"] = headerBlocks;
    state.counters["wire s"] = wireSeconds;
    const double meanSeconds = totalSeconds / static_cast<double>(state.iterations());
    state.counters["mean s"] = meanSeconds;
    state.counters["over wire %"] = (meanSeconds / wireSeconds - 1) * 100;
}
BENCHMARK(BM_WriteLargestImage)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(2);

} // namespace

// The program folder (and with it Protocol/) is the executable's folder.
#include "OffscreenBenchmarkMain.h"
