#include "transfer/image/ImageRebuild.h"

#include "StringIds.h"
#include "base/FileIo.h"
#include "base/FormatError.h"
#include "base/ProgramPaths.h"
#include "base/UserInterface.h"
#include "devices/AddressLookup.h"
#include "devices/AddressTableFile.h"
#include "devices/DeviceDataFile.h"
#include "devices/DeviceKeys.h"
#include "devices/ElementTypeText.h"
#include "devices/PresetRegisterFile.h"
#include "devices/PresetTextFile.h"
#include "model/CVX50TextDoc.h"
#include "model/DeviceChoice.h"
#include "transfer/ProtocolLibrary.h"
#include "transfer/image/AlarmRebuild.h"
#include "transfer/image/ImageLayout.h"
#include "transfer/image/ImageReading.h"
#include "transfer/image/KeyActionReader.h"
#include "transfer/image/ScreenRebuild.h"

#include <algorithm>
#include <set>

namespace {

constexpr std::size_t kGlyphBytes = 32;

struct ScreenEntry {
    int number = 0;
    std::string description;
};

// Function codes of GlobalButton::Function (bits 2-4).
int ButtonFunctionCode(int action)
{
    switch (action) {
    case JumpAction:
        return 0;
    case SetRegisterAction:
        return 2;
    case IncrementAction:
        return 3;
    case DecrementAction:
        return 4;
    default:
        return 1;
    }
}

// The keys and the table of a device's address-table file.
struct DeviceFile {
    enum class Status { Read, Missing, NoProtocol, BadTable };
    Status status = Status::Missing;
    DeviceKeys keys;
    AddressTable table;
};

// Device `name`'s file in the program folder, its keys starting from the
// project's. A bad table shows the table reader's message when `tell`.
DeviceFile ReadDeviceFile(const CVX50TextDoc& doc, const std::string& name, bool tell)
{
    DeviceFile file;
    const std::string path = DeviceTablePath(name);
    const std::optional<std::string> bytes = ReadWholeFile(path, kMaxTableFileBytes);
    if (!bytes)
        return file;
    file.keys = doc.GetDeviceKeys();
    if (!ReadDeviceKeys(*bytes, file.keys)) {
        file.status = DeviceFile::Status::NoProtocol;
        return file;
    }
    const bool sound = tell ? ReadAddressTableOfFile(*bytes, path, file.table) : ParseAddressTable(*bytes, file.table);
    file.status = sound ? DeviceFile::Status::Read : DeviceFile::Status::BadTable;
    return file;
}

// The device's name, keys and table together, and its presets where their
// files open (a preset file that does not open leaves the project's list).
void TakeDevice(CVX50TextDoc& doc, const std::string& name, DeviceFile file, UserInterface& ui)
{
    RestoreDeviceState(doc, {name, std::move(file.keys), std::move(file.table)});
    if (std::optional<std::vector<PresetText>> texts = ReadPresetTextFile(PresetTextPath(name)))
        doc.PresetTexts = std::move(*texts);
    if (std::optional<std::vector<PresetRegister>> registers = ReadPresetRegisterFile(PresetRegisterPath(name)))
        doc.PresetRegisters = std::move(*registers);
    ui.DeviceLoaded();
}

class ImageRebuild {
public:
    ImageRebuild(CVX50TextDoc& doc, ProtocolFunctionTable& protocol, const ImageHeaderFacts& facts,
        const std::vector<std::uint8_t>& header, const std::vector<std::uint8_t>& main, UserInterface& ui,
        const std::function<void()>& step)
        : m_doc(doc), m_protocol(protocol), m_facts(facts), m_header(header), m_main(main), m_ui(ui), m_step(step),
          m_in(BytesOf(main)), m_decoder(nullptr), m_text(main, 0)
    {
    }

    RebuildOutcome Run()
    {
        ReadGlyphCount();
        ReadDescriptions();
        if (const int failed = LoadDevice())
            return {failed};
        m_decoder = CommandDecoder(m_protocol.GetIDandAddress);
        if (const int failed = ReadCopyRegisters())
            return {failed};
        if (const int failed = ReadControlRegister())
            return {failed};
        ReadScreenReferences();
        ReadGlobalButtons();
        m_step();
        ReadScreens();
        SelectEditedScreen();
        ReadAlarmList();
        return {};
    }

private:
    void ReadGlyphCount()
    {
        m_glyphCount = m_in.U16Be();
        m_dataStart = 2 + (kGlyphBytes + 2) * static_cast<std::size_t>(m_glyphCount);
        if (m_dataStart > m_main.size())
            throw FormatError("the glyph table runs past the main area");
        m_text = ImageText(m_main, m_glyphCount);
    }

    // [D], then per screen its number and, when D is 1, [length][description].
    void ReadDescriptions()
    {
        m_in.Seek(m_dataStart + static_cast<std::size_t>(m_facts.descriptionOffset));
        const bool described = m_in.U8() == 1;
        std::set<int> numbers;
        for (int k = 0; k < m_facts.screensToBuild; ++k) {
            ScreenEntry entry;
            entry.number = m_in.U16Le();
            if (entry.number == 0 || !numbers.insert(entry.number).second)
                throw FormatError("screen number " + std::to_string(entry.number) + " twice or 0");
            entry.description = described ? m_in.Bytes(m_in.U8()) : m_doc.DefaultScreenDescription(entry.number);
            m_screens.push_back(std::move(entry));
        }
        if (m_facts.version >= kEmbeddedTableVersion) {
            const std::size_t length = m_in.U16Be();
            m_tableText = m_in.Bytes(length);
        }
    }

    // The device's address-table file (written from the image's copy only
    // when the image carries one and the PC has none), its keys and groups,
    // its presets and its protocol library. The project keeps its device
    // until the image's has been read whole.
    int LoadDevice()
    {
        const std::string& name = m_facts.deviceName;
        if (!IsReadableDeviceName(name))
            return IdsDeviceNotFound;
        const std::string path = DeviceTablePath(name);
        if (!m_tableText.empty() && !IsReadableFile(path) && !WriteDeviceDataFile(path, m_tableText))
            return IdsSaveAddressTableFailed;
        m_step();

        DeviceFile file = ReadDeviceFile(m_doc, name, true);
        switch (file.status) {
        case DeviceFile::Status::Missing:
            return IdsDeviceNotFound;
        case DeviceFile::Status::NoProtocol:
            return IdsPrepareReadError;
        case DeviceFile::Status::BadTable:
            return RebuildOutcome::kMessageShown;
        case DeviceFile::Status::Read:
            break;
        }
        TakeDevice(m_doc, name, std::move(file), m_ui);
        m_step();

        if (!LoadProtocolLibraryQuietly(m_doc.ProtocolLibraryName, ProtocolUse::Read, m_protocol))
            return IdsDllOpenFailed;
        m_doc.UseProtocolLibrary = m_facts.withoutLibrary ? 0 : 1;
        return 0;
    }

    std::string Name(int address, int group, int bit, int selector) const
    {
        return FindElementName(m_doc.AddressTable, address, group, bit, selector);
    }

    // Source: [read command][1 byte][group index]; targets: [write command]
    // [group index][1 byte] each. A target joins the group whose source
    // entry has its buffer place.
    int ReadCopyRegisters()
    {
        ByteReader in(BytesOf(m_header));
        const auto& sources = m_facts.copySources;
        for (std::size_t i = 0; i < sources.size(); ++i) {
            in.Seek(sources[i].commandsAt);
            const DecodedCommand read = m_decoder.Decode(0, ReadCommand(in));
            in.U8();
            const int group = in.U8();
            if (!read.Ok())
                return IdsReadPanelAddressBad;
            CopyRegGroup copy;
            copy.GroupNumber = static_cast<int>(i);
            copy.SourceStation = read.Station();
            copy.SourceStartElement = Name(read.Address(), group, 0, ElementNameSelector);
            copy.SourceGroupName = Name(read.Address(), group, 0, GroupNameSelector);
            copy.ElementCount = sources[i].countBytes / 2;
            copy.SourcePort = sources[i].port;
            m_doc.CopyRegGroups.push_back(std::move(copy));
        }
        for (const ImageHeaderFacts::CopyEntry& target : m_facts.copyTargets) {
            in.Seek(target.commandsAt);
            for (int c = 0; c < target.commandCount; ++c) {
                const DecodedCommand write = m_decoder.Decode(1, ReadCommand(in));
                const int group = in.U8();
                in.U8();
                if (!write.Ok())
                    return IdsReadPanelAddressBad;
                const auto source = std::find_if(sources.begin(), sources.end(),
                    [&](const ImageHeaderFacts::CopyEntry& s) { return s.bufferPlace == target.bufferPlace; });
                if (source == sources.end())
                    continue;
                m_doc.CopyRegGroups[static_cast<std::size_t>(source - sources.begin())].Targets.push_back(
                    {write.Station(), target.port, Name(write.Address(), group, 0, ElementNameSelector),
                        Name(write.Address(), group, 0, GroupNameSelector)});
            }
        }
        return 0;
    }

    // The control register and the panel's own station, from the control
    // read command when the image has one.
    int ReadControlRegister()
    {
        if (!m_facts.controlRead)
            return 0;
        const DecodedCommand read = m_decoder.Decode(0, *m_facts.controlRead);
        if (!read.Ok())
            return IdsReadPanelAddressBad;
        PanelSettings& panel = m_doc.Panel;
        panel.ControlGroupName = Name(read.Address(), m_facts.controlGroupIndex, 0, GroupNameSelector);
        panel.ControlElementName = Name(read.Address(), m_facts.controlGroupIndex, 0, ElementNameSelector);
        panel.PanelStation = read.Station();
        return 0;
    }

    // From version 8 on a stored reference is the screen number - 1; before,
    // the index of the number among the screens' numbers in ascending order.
    int ScreenNumber(int reference) const
    {
        if (m_facts.version >= kNumberedReferencesVersion)
            return reference + 1;
        return reference < static_cast<int>(m_sortedNumbers.size())
            ? m_sortedNumbers[static_cast<std::size_t>(reference)]
            : reference;
    }

    void ReadScreenReferences()
    {
        for (const ScreenEntry& screen : m_screens)
            m_sortedNumbers.push_back(screen.number);
        std::sort(m_sortedNumbers.begin(), m_sortedNumbers.end());
        PanelSettings& panel = m_doc.Panel;
        panel.MainScreen = ScreenNumber(m_facts.mainScreenReference);
        if (panel.ShowSaverScreen == 1)
            panel.SaverScreen = ScreenNumber(m_facts.saverScreenReference);
    }

    // [7][0x14][0x1E][level + 1][key][flags][group][action code][action bytes].
    void ReadGlobalButtons()
    {
        m_doc.GlobalButtons.clear();
        m_doc.SelectedGlobalButton = 0;
        ByteReader in(BytesOf(m_header));
        in.Seek(m_facts.buttonsAt);
        for (int b = 0; b < m_facts.buttonCount; ++b) {
            for (const std::uint8_t head : kGlobalButtonHead)
                if (in.U8() != head)
                    throw FormatError("a global button without its record head");
            const int level = in.U8();
            const int key = in.U8();
            const int flags = in.U8();
            const int group = in.U8();
            const int code = in.U8();
            const KeyActionRead action = ReadKeyAction(in, code,
                {static_cast<std::uint8_t>(flags), false, m_doc.HighFront}, m_decoder);
            m_doc.GlobalButtons.push_back(Button(action, level, key, flags, group));
        }
    }

    GlobalButton Button(const KeyActionRead& action, int level, int key, int flags, int group) const
    {
        GlobalButton button;
        const bool coil = action.action == SetCoilAction;
        button.Function = static_cast<std::uint8_t>((coil ? action.coilOperation * 32 : 0)
            + ButtonFunctionCode(action.action) * 4);
        button.Flags = level > 0 ? GlobalButton::ProtectedFlag : 0;
        button.Station = action.station;
        button.RegisterCount = action.registerCount;
        if (action.action == JumpAction)
            button.JumpScreen = ScreenNumber(action.targetScreen);
        button.GroupName = Name(action.address, group, action.bit, GroupNameSelector);
        button.ElementName = Name(action.address, group, action.bit, ElementNameSelector);
        button.TypeText = ElementTypeText(action.wordSize);
        button.ElementType = action.wordSize;
        button.UserLevel = level > 0 ? level - 1 : 0;
        button.Value = action.value;
        button.Step = action.step;
        button.Limit = action.limit;
        button.DisplayFormat = static_cast<std::uint8_t>((flags & 0x60) == 0 ? 0 : (flags & 0x40) ? 2 : 1);
        button.KeyCode = key;
        button.Port = flags & 0x03;
        return button;
    }

    // The screens in description-table order, from data byte 0 on, each
    // record following the one before.
    void ReadScreens()
    {
        const ScreenRebuildContext context{m_doc, m_decoder, m_text, m_facts.withoutLibrary,
            [this](int reference) { return ScreenNumber(reference); }};
        m_in.Seek(m_dataStart);
        m_doc.Screens.resize(1);
        for (std::size_t i = 0; i < m_screens.size(); ++i) {
            if (i > 0)
                m_doc.Screens.emplace_back();
            ScreenRecord& screen = m_doc.Screens.back();
            screen.Number = m_screens[i].number;
            screen.Description = m_screens[i].description;
            screen.Elements.clear();
            RebuildScreen(m_in, static_cast<int>(i), context);
            m_step();
        }
    }

    void SelectEditedScreen()
    {
        const auto index = static_cast<std::size_t>(m_facts.editedScreen);
        const ScreenRecord& edited = m_doc.Screens[index < m_doc.Screens.size() ? index : 0];
        m_doc.CurrentScreenNumber = edited.Number;
        m_doc.SetWorkingElements(edited.Elements);
    }

    void ReadAlarmList()
    {
        const AlarmContext context{m_doc, m_decoder, m_text, m_facts.alarmPorts, m_facts.alarmWords};
        RebuildAlarmList(m_in, context);
    }

    CVX50TextDoc& m_doc;
    ProtocolFunctionTable& m_protocol;
    const ImageHeaderFacts& m_facts;
    const std::vector<std::uint8_t>& m_header;
    const std::vector<std::uint8_t>& m_main;
    UserInterface& m_ui;
    const std::function<void()>& m_step;
    ByteReader m_in;
    CommandDecoder m_decoder;
    ImageText m_text;
    int m_glyphCount = 0;
    std::size_t m_dataStart = 0;
    std::vector<ScreenEntry> m_screens;
    std::vector<int> m_sortedNumbers;
    std::string m_tableText;
};

} // namespace

bool TakeImageDevice(CVX50TextDoc& doc, const std::string& name, UserInterface& ui)
{
    if (!IsReadableDeviceName(name))
        return false;
    DeviceFile file = ReadDeviceFile(doc, name, false);
    if (file.status != DeviceFile::Status::Read)
        return false;
    TakeDevice(doc, name, std::move(file), ui);
    return true;
}

RebuildOutcome RebuildFromImage(CVX50TextDoc& doc, ProtocolFunctionTable& protocol, const ImageHeaderFacts& facts,
    const std::vector<std::uint8_t>& header, const std::vector<std::uint8_t>& main, UserInterface& ui,
    const std::function<void()>& step)
{
    doc.PrepareAllScreensForEdit();
    return ImageRebuild(doc, protocol, facts, header, main, ui, step).Run();
}
