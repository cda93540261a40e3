// The main area of the panel image for the largest project: 256 screens of
// 255 elements (lamps, registers, dynamic and static texts, graphs, function
// keys, pictures) on the Modbus library, whose texts use 1200 distinct
// Chinese characters. Target: under 50 ms. Such a project far exceeds the
// panel's capacity; the build does all its work before the capacity check
// refuses it. And the first load of GNU Unifont: target under 100 ms.
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "model/ScreenRing.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "transfer/ProtocolLibrary.h"
#include "transfer/image/MainAreaBuilder.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

// The first `count` GB2312 characters from row 16 on.
std::vector<std::string> ChineseCharacters(std::size_t count)
{
    std::vector<std::string> characters;
    for (int lead = 0xB0; lead <= 0xF7 && characters.size() < count; ++lead)
        for (int trail = 0xA1; trail <= 0xFE && characters.size() < count; ++trail)
            if (UnicodeFromGbkPair(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)) != 0)
                characters.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    return characters;
}

template <typename Element> std::shared_ptr<Element> Bound(std::shared_ptr<Element> e, const char* group, int index)
{
    e->GroupName = group;
    e->ElementName = group + std::to_string(index);
    return e;
}

struct LargestProject {
    CVX50TextDoc doc;
    ProtocolFunctionTable protocol;

    LargestProject()
    {
        if (!LoadProtocolLibrary("ModBus Slave.dll", ProtocolUse::Write, protocol))
            throw std::runtime_error("the Modbus protocol library did not load");
        doc.ProtocolLibraryName = "ModBus Slave.dll";
        doc.DeviceName = "PN07";
        doc.TableEditable = 0;
        ElementGroup coils{{}, "C", CoilOrMultiWriteMode, BitElementType, 1};
        ElementGroup words{{}, "R", SingleWriteMode, Word16ElementType, 1};
        for (int a = 0; a < 300; ++a) {
            coils.elements.push_back({"C" + std::to_string(a), a, 0});
            words.elements.push_back({"R" + std::to_string(a), 1000 + a, 0});
        }
        doc.AddressTable = {coils, words};

        const std::vector<std::string> chinese = ChineseCharacters(1200);
        std::size_t next = 0;
        const auto text = [&](int characters) {
            std::string t;
            for (int c = 0; c < characters; ++c)
                t += chinese[next++ % chinese.size()];
            return t;
        };

        doc.Screens.clear();
        for (int s = 0; s < 256; ++s) {
            ScreenRecord screen;
            screen.Number = s + 1;
            screen.Description = text(8);
            auto add = [&](std::shared_ptr<CScreenElement> e) { screen.Elements.push_back({e->Kind(), e}); };
            for (int i = 0; i < 100; ++i)
                add(Bound(std::make_shared<CLampElement>(), "C", (s + i * 3) % 300));
            for (int i = 0; i < 50; ++i) {
                auto reg = Bound(std::make_shared<CRegisterElement>(), "R", (s + i) % 300);
                reg->SetSettable(i % 2);
                add(reg);
            }
            for (int i = 0; i < 10; ++i) {
                auto dynamic = Bound(std::make_shared<CTextElement>(1), "R", (s + 100 + i) % 300);
                for (int v = 0; v < 4; ++v)
                    dynamic->AddState(text(4), std::to_string(v));
                add(dynamic);
            }
            for (int i = 0; i < 6; ++i) {
                auto graph = Bound(std::make_shared<CGraphElement>(i < 2 ? 1 : 0), "R", (s + 200 + i) % 300);
                graph->DataPoints = 150;
                graph->SetSize(60, 30);
                add(graph);
            }
            for (int i = 0; i < 24; ++i) {
                auto key = Bound(std::make_shared<CFuncKeyElement>(), "C", (s + i) % 300);
                key->SetKey(i);
                key->SetCoilOperation(i % 5);
                add(key);
            }
            for (int i = 0; i < 60; ++i) {
                auto label = std::make_shared<CTextElement>(0);
                label->SetText(text(4));
                add(label);
            }
            for (int i = 0; i < 5; ++i) {
                auto picture = std::make_shared<CPictureElement>();
                picture->SetSize(32, 32);
                add(picture);
            }
            LinkIntoScreenRing(doc.Screens, screen);
            doc.Screens.push_back(std::move(screen));
        }
        doc.CurrentScreenNumber = 1;
    }
};

void BM_BuildMainArea(benchmark::State& state)
{
    static const LargestProject project;
    const auto font = SharedUnifont();
    if (!font) {
        state.SkipWithError("GNU Unifont is not installed");
        return;
    }
    for (auto _ : state) {
        UserInterface ui;
        MainAreaBuilder builder(project.doc, project.protocol, ui, font);
        int progress = 0;
        if (!builder.BuildProjectData({true}, progress)) {
            state.SkipWithError("the project data was refused");
            return;
        }
        benchmark::DoNotOptimize(builder.Assemble());
        state.counters["data bytes"] = static_cast<double>(builder.Data().bytes.size());
        state.counters["characters"] = builder.UsedChars().Count();
    }
}
BENCHMARK(BM_BuildMainArea)->Unit(benchmark::kMillisecond);

void BM_FirstFontLoad(benchmark::State& state)
{
    for (auto _ : state) {
        auto font = UnifontFont::Load(UnifontPath());
        if (!font) {
            state.SkipWithError("GNU Unifont is not installed");
            return;
        }
        benchmark::DoNotOptimize(font);
    }
}
BENCHMARK(BM_FirstFontLoad)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The program folder (and with it Protocol/) is the executable's folder.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
