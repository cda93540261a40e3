// Reading a panel image of the most main blocks the read takes back from
// the emulated panel at a paced 19200 baud: the whole read command against
// the time the bytes take on the line. The program's own share (the
// rebuild, the port, the progress) should stay within 2 % of the line time.
#include "base/ProgramPaths.h"
#include "base/UserInterface.h"
#include "devices/AddressTableFile.h"
#include "devices/DeviceKeys.h"
#include "emulator/PanelEmulator.h"
#include "model/CVX50TextDoc.h"
#include "model/ProjectReset.h"
#include "model/elements/CTextElement.h"
#include "support/PanelImageOf.h"
#include "transfer/PanelFrames.h"
#include "transfer/ProtocolLibrary.h"
#include "transfer/ReadPanelCommand.h"
#include "transfer/image/ImageLayout.h"
#include "transfer/image/ImageRebuild.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kBaud = 19200;
constexpr int kBitsPerCharacter = 10;
constexpr int kHeaderBlocks = 8;

// A project of the shipped device with a text on each of its screens.
bool FillProject(CVX50TextDoc& doc)
{
    doc.DeviceName = "ModBus Slave";
    DeviceKeys keys;
    const std::string path = DeviceTablePath(doc.DeviceName);
    if (ReadDeviceKeysFile(path, keys) != std::optional<bool>(true) || !ReadAddressTableFile(path, doc.AddressTable))
        return false;
    doc.ProtocolLibraryName = keys.dllName;
    doc.TableEditable = 0;
    for (int number = 1; number <= 40; ++number) {
        if (number > 1)
            doc.Screens.emplace_back();
        ScreenRecord& screen = doc.Screens.back();
        screen.Number = number;
        screen.UpKeyScreen = screen.DownKeyScreen = 1;
        screen.Description = "Screen " + std::to_string(number);
        auto text = std::make_shared<CTextElement>(0);
        text->SetText("Text of screen " + std::to_string(number));
        screen.Elements = {{text->Kind(), text}};
    }
    return true;
}

// The project's image with its main area grown to the longest the read takes,
// the panel's whole capacity (the blocks past the project's data are read and
// not used).
std::optional<PanelImageAreas> MaximalImage(const CVX50TextDoc& doc, const ProtocolFunctionTable& protocol)
{
    std::optional<PanelImageAreas> image = PanelImageOf(doc, protocol, CurrentUi());
    if (!image)
        return std::nullopt;
    image->main.resize(static_cast<std::size_t>(LongestMainArea()) * kBlockSize, 0);
    const std::size_t passwords = image->header[PasswordSlot] + 256 * image->header[PasswordSlot + 1] - 0xF000;
    image->header[passwords + 1 + kPasswordEntryLength * image->header[passwords]] =
        static_cast<std::uint8_t>(LongestMainArea());
    return image;
}

double WireSeconds(int blockReads)
{
    const int bytes = (4 + kVersionReplyLength) + (8 + kLockQueryReplyLength)
        + blockReads * (5 + kBlockReadReplyLength) + (4 + kEndReplyLength);
    return static_cast<double>(bytes) * kBitsPerCharacter / kBaud;
}

void BM_ReadMaximalImage(benchmark::State& state)
{
    CVX50TextDoc doc;
    ProtocolFunctionTable protocol;
    if (!FillProject(doc) || !LoadProtocolLibrary(doc.ProtocolLibraryName, ProtocolUse::Write, protocol)) {
        state.SkipWithError("the shipped device or its library is missing");
        return;
    }
    const std::optional<PanelImageAreas> image = MaximalImage(doc, protocol);
    PanelEmulator panel;
    if (!image || !panel.Start()) {
        state.SkipWithError("no image or no pseudo-terminal");
        return;
    }
    panel.LoadArea(kFirstMainBlock, image->main);
    panel.LoadArea(kFirstHeaderBlock, image->header);
    panel.SetLineSpeed(kBaud);

    ReadPanelCommand::Options options;
    options.portName = QString::fromStdString(panel.DevicePath());
    options.freshProject = [&doc] {
        ResetProjectForNew(doc);
        return true;
    };
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!ReadPanelCommand(doc, protocol, CurrentUi()).Run(options))
            state.SkipWithError("the read failed");
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double wire = WireSeconds(kHeaderBlocks + LongestMainArea()) * static_cast<double>(state.iterations());
    state.counters["wire_s"] = wire;
    state.counters["total_s"] = total;
    state.counters["overhead_pct"] = 100.0 * (total - wire) / wire;
}
BENCHMARK(BM_ReadMaximalImage)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

} // namespace

#include "OffscreenBenchmarkMain.h"
