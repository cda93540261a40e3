#pragma once

// A project on the Modbus library with a small address table, the font the
// tests code their texts with, and helpers that build its project data.

#include "base/GbkText.h"
#include "model/CVX50TextDoc.h"
#include "support/FixtureFont.h"
#include "support/FixtureProject.h"
#include "support/RecordingUserInterface.h"
#include "transfer/ProtocolLibrary.h"
#include "transfer/image/HeaderArea.h"
#include "transfer/image/MainAreaBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>
#include <unistd.h>

namespace image_test {

// Every builder of the Modbus library, loaded as the write command loads it.
inline const ProtocolFunctionTable& Modbus()
{
    static const ProtocolFunctionTable table = [] {
        ProtocolFunctionTable loaded;
        if (!LoadProtocolLibrary("ModBus Slave.dll", ProtocolUse::Write, loaded))
            throw std::runtime_error("the Modbus protocol library did not load");
        return loaded;
    }();
    return table;
}

// GBK characters of the fixture font, and one it lacks.
inline const std::string kAh = "\xB0\xA1";   // U+554A
inline const std::string kA = "\xB0\xA2";    // U+963F
inline const std::string kNoGlyph = "\xB0\xA3"; // U+57C3, not in the fixture font

// A Unifont file holding the glyphs of the given Unicode characters (each a
// filled square) and of U+554A as Unifont draws it. The name carries the
// process id: CTest runs each test as a process of its own, in parallel, and
// a file of a shared name could be rewritten while another test reads it.
inline std::string WriteFont(const std::string& name, const std::vector<char32_t>& characters)
{
    const std::string path = ::testing::TempDir() + std::to_string(getpid()) + '_' + name;
    std::ofstream(path, std::ios::binary) << FixtureFontText(characters);
    return path;
}

inline std::shared_ptr<const UnifontFont> FixtureFont()
{
    static const auto font = std::make_shared<const UnifontFont>(
        *UnifontFont::Load(WriteFont("image_fixture.hex", {0x963F})));
    return font;
}

// GB2312 characters from row 16 on, `count` of them, with a font holding
// each one's glyph.
struct ManyCharacters {
    std::vector<std::string> characters;
    std::shared_ptr<const UnifontFont> font;
};

inline ManyCharacters MakeCharacters(int count)
{
    ManyCharacters many;
    std::vector<char32_t> unicode;
    for (int lead = 0xB0; lead <= 0xF7 && static_cast<int>(many.characters.size()) < count; ++lead)
        for (int trail = 0xA1; trail <= 0xFE && static_cast<int>(many.characters.size()) < count; ++trail) {
            const char32_t u = UnicodeFromGbkPair(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
            if (u == 0)
                continue;
            many.characters.push_back({static_cast<char>(lead), static_cast<char>(trail)});
            unicode.push_back(u);
        }
    many.font = std::make_shared<const UnifontFont>(
        *UnifontFont::Load(WriteFont("many" + std::to_string(count) + ".hex", unicode)));
    return many;
}

// One character more than the panel takes.
inline const ManyCharacters& TooManyCharacters()
{
    static const ManyCharacters many = MakeCharacters(UsedCharTable::kCharacterLimit + 1);
    return many;
}

template <typename Element> void Bind(Element& element, const std::string& group, const std::string& name)
{
    element.GroupName = group;
    element.ElementName = name;
}

// The bytes as a vector, for comparisons that print.
inline std::vector<std::uint8_t> Bytes(std::string_view bytes)
{
    return {bytes.begin(), bytes.end()};
}

class ImageTest : public ::testing::Test {
protected:
    ImageTest()
    {
        doc.AddressTable = FixtureAddressTable();
        doc.ProtocolLibraryName = "ModBus Slave.dll";
        doc.CommBufferLength = 30;
        doc.TableEditable = 0;
        doc.DeviceName = "PN07";
        ScreenRecord& screen = doc.Screens[0];
        screen.Description = "Main";
        screen.Elements.clear();
        doc.WorkingElements.clear();
    }

    ScreenRecord& Screen(int index = 0) { return doc.Screens[static_cast<std::size_t>(index)]; }

    template <typename Element> std::shared_ptr<Element> Add(std::shared_ptr<Element> element, int screen = 0)
    {
        Screen(screen).Elements.push_back({element->Kind(), element});
        return element;
    }

    // A screen numbered `number`, linked to itself.
    ScreenRecord& AddScreen(int number)
    {
        ScreenRecord s;
        s.Number = number;
        s.UpKeyScreen = number;
        s.DownKeyScreen = number;
        doc.Screens.push_back(s);
        return doc.Screens.back();
    }

    // Builds the project data; nothing after a failed check.
    std::optional<ProjectData> Build(bool descriptions = false)
    {
        builder = std::make_unique<MainAreaBuilder>(doc, Modbus(), ui, font);
        int progress = 0;
        if (!builder->BuildProjectData({descriptions}, progress))
            return std::nullopt;
        return builder->Data();
    }

    // The whole image as the write builds it: the main area, then the header
    // (nothing after a failed main-area check).
    struct Image {
        MainArea main;
        HeaderBuild header;
    };
    std::optional<Image> BuildImage(bool descriptions = false)
    {
        if (!Build(descriptions))
            return std::nullopt;
        std::optional<MainArea> main = builder->Assemble();
        if (!main)
            return std::nullopt;
        HeaderBuild header = BuildHeaderArea(doc, Modbus(), builder->Data(), *main, builder->UsedChars().Count());
        return Image{std::move(*main), std::move(header)};
    }

    // The records of screen 0's elements: the project data from the first
    // element record up to the end of the screen record.
    std::vector<std::uint8_t> ElementBytes(const ProjectData& data, int screen = 0)
    {
        const std::string& b = data.bytes;
        std::size_t at = static_cast<std::size_t>(data.screens[static_cast<std::size_t>(screen)].offset) + 8;
        // Skip the poll records: [n][command][format][c][4 x c].
        const int polls = static_cast<std::uint8_t>(b[at - 1]);
        for (int p = 0; p < polls; ++p) {
            const std::size_t n = static_cast<std::uint8_t>(b[at]);
            const std::size_t items = static_cast<std::uint8_t>(b[at + n + 2]);
            at += n + 3 + 4 * items;
        }
        const std::size_t end = static_cast<std::size_t>(screen + 1) < data.screens.size()
            ? static_cast<std::size_t>(data.screens[static_cast<std::size_t>(screen) + 1].offset)
            : static_cast<std::size_t>(data.descriptionTableOffset);
        return Bytes(std::string_view(b).substr(at, end - at));
    }

    RecordingUserInterface ui;
    CVX50TextDoc doc;
    std::shared_ptr<const UnifontFont> font = FixtureFont();
    std::unique_ptr<MainAreaBuilder> builder;
};

} // namespace image_test
