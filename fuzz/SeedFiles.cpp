// Writes the seed inputs of the fuzz targets from the tests' fixtures into
// the source tree's fuzz/ folder, so that each target starts from valid
// files of its kind:
//   build/fuzz/bin/fuzz_seed_files <source folder>
// Run it again after a change of a file format or of the fixtures and
// commit what changed.
#include "BuildProgramFolder.h"
#include "SimulatedSession.h"
#include "base/FileIo.h"
#include "base/UserInterface.h"
#include "devices/AddressLookup.h"
#include "devices/AddressTableFile.h"
#include "devices/PresetRegisterFile.h"
#include "devices/PresetTextFile.h"
#include "model/projectfile/ProjectFile.h"
#include "support/FixtureFont.h"
#include "support/PanelImageOf.h"
#include "support/PresetTextFixtures.h"
#include "support/TableGroups.h"
#include "support/TestFiles.h"
#include "transfer/Crc16.h"
#include "transfer/image/HeaderArea.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// The tests' font with the fixture's character U+963F.
const std::string kFontText = FixtureFontText({0x963F});

std::string g_fuzzFolder;
bool g_failed = false;

void Write(const std::string& corpus, const std::string& name, const std::string& bytes)
{
    const std::string folder = g_fuzzFolder + corpus;
    QDir().mkpath(QString::fromStdString(folder));
    if (!WriteFileAtomically(folder + "/" + name, bytes)) {
        std::fprintf(stderr, "%s/%s was not written\n", corpus.c_str(), name.c_str());
        g_failed = true;
    }
}

void WriteTables(const std::string& sourceFolder)
{
    DeviceKeys keys;
    keys.dllName = "ModBus Slave.dll";
    Write("table-corpus", "fixture.add", FormatAddressTable(keys, "PN07", FixtureAddressTable()));

    // A user's device: a group long enough for a line break inside its
    // entries, bits of words with their bit part, an empty group.
    ElementGroup coils = MakeGroup("Coil", BitElementType, CoilOrMultiWriteMode);
    for (int n = 0; n < 101; ++n)
        coils.elements.push_back({"C" + std::to_string(n), n, 0});
    ElementGroup bits = MakeGroup("Bits", BitElementType, SingleWriteMode, {{"B0", 0x3A, 0}, {"B15", 0x3A, 15}});
    ElementGroup doubles = MakeGroup("D", Word32ElementType, CoilOrMultiWriteMode, {{"D0", 0xFFFE, 0}}, 2);
    keys.canEdit = 1;
    keys.commBuffLength = 64;
    keys.highFront = 1;
    Write("table-corpus", "user-device.add",
        FormatAddressTable(keys, "MYDEV", {coils, bits, doubles, MakeGroup("Empty", Word16ElementType, 2)}));

    if (const std::optional<std::string> shipped =
            ReadTestFile(sourceFolder + "/data/Device/ModBus SlaveCommunication.add"))
        Write("table-corpus", "shipped.add", *shipped);
}

void WritePresets()
{
    PresetText bit = ThreePairPreset("Bits", 0x3A);
    bit.Bit = 15;
    bit.ValueType = 2;
    bit.Pairs[1].Text = "\xB0\xA2";
    PresetText full = ThreePairPreset("Reg", 0xFFFF);
    full.Pairs.clear();
    for (int k = 0; k < PresetText::MaxPairs; ++k)
        full.Pairs.push_back({k * 1000, "text " + std::to_string(k)});
    Write("preset-text-corpus", "presets", FormatPresetTexts({ThreePairPreset("Reg", 100), bit, full}));

    std::vector<PresetRegister> registers(3);
    for (int parts = 0; parts < 3; ++parts) {
        PresetRegister& preset = registers[static_cast<std::size_t>(parts)];
        preset.Parts = parts;
        preset.GroupName = parts == 1 ? "\xB0\xA2" : "Reg";
        preset.WordAddress = 100 + parts;
        preset.RegisterCount = parts == 2 ? 2 : 1;
        preset.Digits = 5 + parts;
        preset.Decimals = parts;
        preset.ValueType = parts;
        preset.RawUpper = 4095;
        preset.EngUpper = 1000;
        preset.EngLower = -1000;
    }
    Write("preset-register-corpus", "presets", FormatPresetRegisters(registers));
}

void WriteFont()
{
    Write("unifont-corpus", "glyphs.hex", kFontText);
    // Windows line ends and a line of another form, which the reader passes over.
    Write("unifont-corpus", "crlf.hex", "# comment\r\n0041:0000000018242442427E424242420000\r\n");
}

// A Modbus device: register n holds n, the coils alternate, writes are
// echoed; the control register gives the screens 1, 2, 5 and 1 again, one a
// pass. Each whole reply is recorded as the reply target takes it.
class ModbusDevicePort : public SimulationPort {
public:
    explicit ModbusDevicePort(int controlAddress)
        : m_controlAddress(controlAddress)
    {
    }

    Reply Exchange(std::span<const std::uint8_t> command, int replyLength) override
    {
        Reply reply;
        if (command.size() < 6 || replyLength < 5 || replyLength > kBufferSize)
            return reply;
        reply.error = kSerialOk;
        reply.received = replyLength;
        auto& bytes = reply.bytes;
        const int start = command[2] << 8 | command[3];
        if (command[1] == 1 || command[1] == 3) {
            bytes[0] = command[0];
            bytes[1] = command[1];
            bytes[2] = static_cast<std::uint8_t>(replyLength - 5);
            for (int i = 0; i < replyLength - 5; ++i)
                bytes[static_cast<std::size_t>(3 + i)] =
                    command[1] == 1 ? static_cast<std::uint8_t>(0x55 << (i % 2)) : WordByte(start, i);
        } else {
            std::copy_n(command.begin(), 6, bytes.begin());
        }
        AppendCrc16(bytes.data(), static_cast<std::size_t>(replyLength - 2));
        // Whole length, CRC sealed (it is right already).
        m_recorded += '\x03';
        m_recorded.append(bytes.begin(), bytes.begin() + replyLength);
        return reply;
    }

    const std::string& Recorded() const { return m_recorded; }

private:
    std::uint8_t WordByte(int start, int i)
    {
        static constexpr int kScreens[] = {1, 2, 5, 1};
        const int address = start + i / 2;
        int value = address;
        if (address == m_controlAddress) {
            value = kScreens[m_controlReads % 4];
            if (i % 2 == 1)
                ++m_controlReads;
        }
        return static_cast<std::uint8_t>(i % 2 == 0 ? value >> 8 : value);
    }

    int m_controlAddress;
    int m_controlReads = 0;
    std::string m_recorded;
};

void WriteReplies()
{
    const fuzz_session::Setting setting;
    const PanelSettings& panel = setting.doc.Panel;
    ModbusDevicePort device(
        FindElementAddress(setting.doc.AddressTable, panel.ControlGroupName, panel.ControlElementName));
    fuzz_session::RunSession(setting, device);
    Write("reply-corpus", "modbus-session", device.Recorded());
}

// The image the write command would send for `doc` as the read command takes
// it back: the header area padded to what the read takes of it, then the main
// area.
std::optional<std::string> ImageOf(const CVX50TextDoc& doc, std::shared_ptr<const UnifontFont> font)
{
    ProtocolFunctionTable protocol;
    if (!LoadProtocolLibraryQuietly("ModBus Slave.dll", ProtocolUse::Write, protocol))
        return std::nullopt;
    const std::optional<PanelImageAreas> areas = PanelImageOf(doc, protocol, CurrentUi(), std::move(font));
    if (!areas)
        return std::nullopt;
    std::string image(areas->header.begin(), areas->header.end());
    image.resize(kReadBackHeaderLength, '\0');
    image.append(areas->main.begin(), areas->main.end());
    return image;
}

void WriteImage(const std::string& name, const CVX50TextDoc& doc)
{
    // The tests' font first (the fixture's images), the program's for
    // projects of other characters.
    auto font = std::make_shared<const UnifontFont>(UnifontFont::FromText(kFontText));
    std::optional<std::string> image = ImageOf(doc, font);
    if (!image && SharedUnifont())
        image = ImageOf(doc, SharedUnifont());
    if (!image) {
        std::fprintf(stderr, "no image of %s\n", name.c_str());
        g_failed = true;
        return;
    }
    Write("image-corpus", name, *image);
}

void WriteImages(const std::string& sourceFolder)
{
    for (const bool useLibrary : {true, false}) {
        CVX50TextDoc doc;
        FillFixtureProject(doc, useLibrary);
        WriteImage(useLibrary ? "fixture" : "fixture-without-library", doc);
    }
    // The project files of the tests, read below a program folder of their
    // own (their device tables are written there).
    QTemporaryDir folder;
    UseProgramFolderIn(folder);
    const std::string fixtures = sourceFolder + "/tests/model/projectfile/fixtures/";
    for (const char* name : {"filled-v11", "new-project"}) {
        const std::optional<std::string> bytes = ReadTestFile(fixtures + name + ".opf");
        CVX50TextDoc doc;
        bool displaySetting = true;
        if (!bytes || !ReadProject(doc, *bytes, displaySetting)) {
            std::fprintf(stderr, "%s.opf did not open\n", name);
            g_failed = true;
            continue;
        }
        WriteImage(name, doc);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <source folder>\n", argv[0]);
        return 2;
    }
    UseBuildProgramFolder();
    const std::string source = argv[1];
    g_fuzzFolder = source + "/fuzz/";
    WriteTables(source);
    WritePresets();
    WriteFont();
    WriteReplies();
    WriteImages(source);
    return g_failed ? 1 : 0;
}
