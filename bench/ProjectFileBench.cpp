// Saving and opening the largest project the file can hold: 256 screens of
// 255 elements of every kind. Both should pass unnoticed by the user. The
// second set leaves the pictures out: each picture keeps a whole display's
// pixels in memory, which dominates opening.
#include "devices/AddressTableFile.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/ElementFactory.h"
#include "base/ProgramPaths.h"
#include "model/projectfile/ProjectFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Six element kinds and both sub-kinds of texts and graphs, in turn.
constexpr struct {
    int kind;
    int subKind;
} kMix[] = {{KindFuncKey, 0}, {KindLamp, 0}, {KindRegister, 0}, {KindText, 0},
            {KindText, 1},    {KindGraph, 0}, {KindGraph, 1},   {KindPicture, 0}};

struct LargeProject {
    QTemporaryDir folder;
    CVX50TextDoc doc;
    std::string bytes;

    explicit LargeProject(bool withPictures)
    {
        const std::size_t kinds = withPictures ? std::size(kMix) : std::size(kMix) - 1;
        SetProgramFolder(folder.path().toStdString());
        QDir().mkpath(QString::fromStdString(DeviceFolder()));
        doc.DeviceName = "BENCH";
        doc.ProtocolLibraryName = "ModBus Slave.dll";
        ElementGroup words;
        words.name = "D";
        words.elementType = Word16ElementType;
        for (int e = 0; e < 100; ++e)
            words.elements.push_back({"D" + std::to_string(e), e, 0});
        doc.AddressTable = {words};
        WriteAddressTableFile(DeviceTablePath(doc.DeviceName), {doc.ProtocolLibraryName, 1, 30, 0}, doc.DeviceName,
                              doc.AddressTable);

        doc.Screens.clear();
        for (int s = 0; s < 256; ++s) {
            ScreenRecord screen;
            screen.Number = s + 1;
            screen.UpKeyScreen = s == 0 ? 256 : s;
            screen.DownKeyScreen = s == 255 ? 1 : s + 2;
            for (int e = 0; e < 255; ++e) {
                const auto& mix = kMix[static_cast<std::size_t>(e) % kinds];
                ElementRef ref = CreateElement(mix.kind, mix.subKind);
                ref.element->SetPosition(e % 180, e % 48);
                ref.element->SetSize(12, 16);
                screen.Elements.push_back(std::move(ref));
            }
            doc.Screens.push_back(std::move(screen));
        }
        doc.CurrentScreenNumber = 1;
        doc.WorkingElements = doc.Screens.front().Elements;
        bytes = Format();
    }

    std::string Format()
    {
        ByteWriter out;
        WriteProjectHeader(out);
        out.U8(DisplayFlagsByte(true, doc.AddressTable));
        WriteProjectBody(out, doc);
        return out.Take();
    }
};

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
}
BENCHMARK(BM_OpenLargestProject)->ArgName("pictures")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
