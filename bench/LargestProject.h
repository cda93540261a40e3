#pragma once

// The largest project the file can hold: 256 screens of 255 elements of
// every kind, with or without pictures, and its project-file bytes.
#include "base/ProgramPaths.h"
#include "devices/AddressTableFile.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/ElementFactory.h"
#include "model/ScreenRing.h"
#include "model/projectfile/ProjectFile.h"

#include <QDir>
#include <QTemporaryDir>

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
            for (int e = 0; e < 255; ++e) {
                const auto& mix = kMix[static_cast<std::size_t>(e) % kinds];
                ElementRef ref = CreateElement(mix.kind, mix.subKind);
                ref.element->SetPosition(e % 180, e % 48);
                ref.element->SetSize(12, 16);
                screen.Elements.push_back(std::move(ref));
            }
            LinkIntoScreenRing(doc.Screens, screen);
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
