#pragma once

// The largest project the file can hold, opened from its file as the user
// opens it: 256 screens of 255 elements of every kind, with the content a
// real project has. Every element with an address is bound to one of the
// device's table, static texts hold 8 characters, dynamic texts 3 entries of
// 8 characters, pictures a 16 x 16 bitmap with dots. It can leave the
// pictures out.
#include "base/ProgramPaths.h"
#include "devices/AddressTableFile.h"
#include "model/CVX50TextDoc.h"
#include "model/ScreenRing.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "model/elements/ElementFactory.h"
#include "model/projectfile/ProjectFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// Six element kinds and both sub-kinds of texts and graphs, in turn.
constexpr struct {
    int kind;
    int subKind;
} kMix[] = {{KindFuncKey, 0}, {KindLamp, 0}, {KindRegister, 0}, {KindText, 0},
            {KindText, 1},    {KindGraph, 0}, {KindGraph, 1},   {KindPicture, 0}};

namespace largest_project {

constexpr int kTableElements = 256;

// Eight Chinese characters (GBK), a different run for each `seed`.
inline std::string EightCharacters(int seed)
{
    std::string text;
    for (int c = 0; c < 8; ++c) {
        const int n = (seed * 8 + c) % (39 * 94);
        text += static_cast<char>(0xB0 + n / 94);
        text += static_cast<char>(0xA1 + n % 94);
    }
    return text;
}

// A 16 x 16 bitmap of black and white dots (32 bits each), a pattern of its
// own for each `seed`.
inline std::vector<std::uint8_t> PictureDots(int seed)
{
    std::vector<std::uint8_t> dots;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const std::uint8_t level = ((x + y + seed) % 3 == 0 || x == y) ? 0x00 : 0xFF;
            dots.insert(dots.end(), {level, level, level, 0});
        }
    return dots;
}

template <class Element>
void Bind(CScreenElement& element, const char* group, int index)
{
    auto& typed = static_cast<Element&>(element);
    typed.GroupName = group;
    typed.ElementName = group + std::to_string(index % kTableElements);
}

// Gives element number `e` of screen `s` its content.
inline void FillContent(const ElementRef& ref, int s, int e)
{
    CScreenElement& element = *ref.element;
    const int seed = s * 255 + e;
    switch (ref.kind) {
    case KindFuncKey: return Bind<CFuncKeyElement>(element, "M", seed);
    case KindLamp: return Bind<CLampElement>(element, "M", seed);
    case KindRegister: return Bind<CRegisterElement>(element, "D", seed);
    case KindGraph: return Bind<CGraphElement>(element, "D", seed);
    case KindText: {
        auto& text = static_cast<CTextElement&>(element);
        if (!text.IsDynamic())
            return text.SetText(EightCharacters(seed));
        Bind<CTextElement>(element, "D", seed);
        for (int v = 0; v < 3; ++v)
            text.AddState(EightCharacters(seed + v), std::to_string(v));
        return;
    }
    case KindPicture: {
        auto& picture = static_cast<CPictureElement&>(element);
        picture.SetPixelStore(PictureDots(seed));
        picture.SetSize(16, 16);
        return;
    }
    }
}

} // namespace largest_project

struct LargeProject {
    QTemporaryDir folder;
    CVX50TextDoc doc;
    std::string path; // the project's file
    std::string bytes; // its project-file bytes

    explicit LargeProject(bool withPictures)
    {
        using namespace largest_project;
        SetProgramFolder(folder.path().toStdString());
        QDir().mkpath(QString::fromStdString(DeviceFolder()));
        CVX50TextDoc built;
        built.DeviceName = "BENCH";
        built.ProtocolLibraryName = "ModBus Slave.dll";
        ElementGroup bits;
        bits.name = "M";
        bits.elementType = BitElementType;
        ElementGroup words;
        words.name = "D";
        words.elementType = Word16ElementType;
        for (int e = 0; e < kTableElements; ++e) {
            bits.elements.push_back({"M" + std::to_string(e), e, 0});
            words.elements.push_back({"D" + std::to_string(e), e, 0});
        }
        built.AddressTable = {bits, words};
        WriteAddressTableFile(DeviceTablePath(built.DeviceName), {built.ProtocolLibraryName, 1, 30, 0},
                              built.DeviceName, built.AddressTable);

        const std::size_t kinds = withPictures ? std::size(kMix) : std::size(kMix) - 1;
        built.Screens.clear();
        for (int s = 0; s < 256; ++s) {
            ScreenRecord screen;
            screen.Number = s + 1;
            screen.Description = built.DefaultScreenDescription(screen.Number);
            for (int e = 0; e < 255; ++e) {
                const auto& mix = kMix[static_cast<std::size_t>(e) % kinds];
                ElementRef ref = CreateElement(mix.kind, mix.subKind);
                FillContent(ref, s, e);
                ref.element->SetPosition(e % 176, e % 48);
                ref.element->SetSize(16, 16);
                screen.Elements.push_back(std::move(ref));
            }
            LinkIntoScreenRing(built.Screens, screen);
            built.Screens.push_back(std::move(screen));
        }
        built.CurrentScreenNumber = 1;
        built.WorkingElements = built.Screens.front().Elements;

        path = folder.path().toStdString() + "/largest.opf";
        bool display = true;
        if (!SaveProjectFile(built, path, true) || !OpenProjectFile(doc, path, display))
            throw std::runtime_error("the largest project did not save and open");
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
