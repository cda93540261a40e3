#include "transfer/image/ImageRebuild.h"

#include "base/FormatError.h"
#include "base/ProgramPaths.h"
#include "model/CVX50TextDoc.h"
#include "model/LineSettingCodes.h"
#include "model/PasswordLevels.h"
#include "transfer/image/AlarmRebuild.h"
#include "transfer/image/HeaderAddresses.h"
#include "transfer/image/ImageLayout.h"
#include "transfer/image/ImageReading.h"
#include "transfer/image/MainArea.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr int kMostScreens = 256;
constexpr std::uint16_t kNoScreen = 0xFF01;
constexpr int kSaverIndexCount = 10;
constexpr std::uint16_t kBacklightOnly = 0xFFFF;
constexpr int kBacklightOffBit = 0x8000;
// Versions before this one knew no saver without its screen.
constexpr int kSaverChoiceVersion = 7;
constexpr int kHighestLevel = 3;

class HeaderReader {
public:
    HeaderReader(CVX50TextDoc& doc, const std::vector<std::uint8_t>& header)
        : m_doc(doc), m_header(header), m_in(BytesOf(header))
    {
    }

    ImageHeaderFacts Read()
    {
        m_facts.version = At(VersionAt);
        ReadPorts();
        ReadSettings();
        ReadSaver();
        m_doc.CopyRegGroups.clear();
        ReadCopyEntries();
        ReadScreenTable();
        ReadControlCommands();
        ReadAlarmEntries();
        ReadPasswords();
        ReadSummary();
        m_facts.buttonCount = At(ButtonCountAt);
        m_facts.buttonsAt = m_facts.buttonCount > 0 ? Section(ButtonSlot) : 0;
        m_facts.withoutLibrary = At(HexCommandsAt) == 0 && At(FrameResultAt) == 0 && At(CheckTypeAt) == 0
            && FrameIsEmpty() && !m_facts.controlRead && AlarmsHaveNoReads();
        return std::move(m_facts);
    }

private:
    int At(std::size_t place)
    {
        m_in.Seek(place);
        return m_in.U8();
    }
    int U16At(std::size_t place)
    {
        m_in.Seek(place);
        return m_in.U16Le();
    }
    // The header offset a section address points at; nothing for a slot
    // that points at nothing.
    std::optional<std::size_t> Address(int address) const
    {
        if (address == kNoAddress)
            return std::nullopt;
        if (address < kHeaderAreaAddress || static_cast<std::size_t>(address - kHeaderAreaAddress) >= m_header.size())
            throw FormatError("a header address leads outside the header");
        return static_cast<std::size_t>(address - kHeaderAreaAddress);
    }
    std::optional<std::size_t> Slot(std::size_t slot) { return Address(U16At(slot)); }
    // A section the image must have.
    std::size_t Section(std::size_t slot)
    {
        const std::optional<std::size_t> at = Slot(slot);
        if (!at)
            throw FormatError("a header section is missing");
        return *at;
    }

    void ReadPorts()
    {
        ApplyLineCodes(m_doc.Rs485Port, At(Rs485BaudAt), At(Rs485LineAt));
        ApplyLineCodes(m_doc.Com1Port, At(Com1BaudAt), At(Com1LineAt));
    }

    void ReadSettings()
    {
        PanelSettings& panel = m_doc.Panel;
        m_doc.DefaultPort = At(DefaultPortAt);
        m_facts.mainScreenReference = U16At(MainScreenAt);
        panel.EncryptProject = At(EncryptAt);
        const int flags = At(SwitchFlagsAt);
        panel.AutoScreenSwitch = (flags & AutoScreenSwitchFlag) ? 1 : 0;
        panel.ReportScreen = (flags & ReportScreenFlag) ? 1 : 0;
        panel.ClearAfterSwitch = (flags & ClearAfterSwitchFlag) ? 1 : 0;
        panel.ControlPort = At(ControlPortAt);
        m_doc.HighFront = At(HighFrontAt);
        // A panel may hold 0 here, which no dialog allows.
        panel.CommTime = std::clamp(At(CommTimeAt), kShortestCommTime, kLongestCommTime);
        panel.Timeout = panel.CommTime * At(RetriesAt);
        m_doc.UseProtocolLibrary = 1;
    }

    void ReadSaver()
    {
        PanelSettings& panel = m_doc.Panel;
        const int seconds = U16At(SaverSecondsAt);
        for (int index = 0; index < kSaverIndexCount; ++index)
            if (ScreenSaverSeconds(index) == seconds)
                panel.ScreenSaverIndex = index;
        const int field = U16At(SaverScreenAt);
        if (m_facts.version < kSaverChoiceVersion) {
            panel.ShowSaverScreen = 1;
            if (field != kBacklightOnly)
                m_facts.saverScreenReference = field;
        } else if (panel.ScreenSaverIndex == 0) {
            panel.ShowSaverScreen = 0;
            panel.BacklightOffOnSaver = 0;
        } else if (field < kBacklightOffBit) {
            panel.ShowSaverScreen = 1;
            m_facts.saverScreenReference = field;
        } else if (field == kBacklightOnly) {
            panel.BacklightOffOnSaver = 1;
            panel.ShowSaverScreen = 0;
        } else {
            panel.BacklightOffOnSaver = 1;
            panel.ShowSaverScreen = 1;
            m_facts.saverScreenReference = field - kBacklightOffBit;
        }
    }

    std::vector<ImageHeaderFacts::CopyEntry> ReadCopyTable(std::size_t countAt, std::size_t slot)
    {
        std::vector<ImageHeaderFacts::CopyEntry> entries;
        const int count = At(countAt);
        if (count == 0)
            return entries;
        m_in.Seek(Section(slot));
        for (int k = 0; k < count; ++k) {
            ImageHeaderFacts::CopyEntry entry;
            entry.port = m_in.U8();
            entry.commandCount = m_in.U8();
            const std::optional<std::size_t> commands = Address(m_in.U16Le());
            if (!commands)
                throw FormatError("a copy-register entry without its commands");
            entry.commandsAt = *commands;
            entry.bufferPlace = m_in.U8();
            entry.countBytes = m_in.U8();
            entries.push_back(entry);
        }
        return entries;
    }

    void ReadCopyEntries()
    {
        m_facts.copySources = ReadCopyTable(CopySourceCountAt, CopySourceSlot);
        m_facts.copyTargets = ReadCopyTable(CopyTargetCountAt, CopyTargetSlot);
    }

    // N entries for the screen numbers 1 to N; 01 FF for a number without a
    // screen. The alarm screen, when there is one, takes the last entry.
    void ReadScreenTable()
    {
        const int highest = U16At(HighestScreenAt);
        m_in.Seek(Section(ScreenTableSlot));
        int screens = 0;
        for (int n = 0; n < highest; ++n)
            if (m_in.U16Le() != kNoScreen)
                ++screens;
        if (At(AlarmCountAt) != 0)
            --screens;
        if (screens < 1 || screens > kMostScreens)
            throw FormatError("the screen table holds " + std::to_string(screens) + " screens");
        m_facts.screensToBuild = screens;
    }

    bool FrameIsEmpty()
    {
        m_in.Seek(Section(FrameSlot));
        const std::size_t head = m_in.U8();
        m_in.Skip(head);
        return head == 0 && m_in.U8() == 0;
    }

    // Recognised by the control read's own address slot: the switch flags
    // alone do not tell whether the commands were written.
    void ReadControlCommands()
    {
        const std::optional<std::size_t> at = Slot(ControlReadSlot);
        if (!at)
            return;
        m_in.Seek(*at);
        m_facts.controlRead = ReadCommand(m_in);
        m_in.Skip(kControlReadTail - 1);
        m_facts.controlGroupIndex = m_in.U8();
    }

    // [port][1][main-area address of the block's read][first status word].
    // Each block gives a segment on its port; its alarms (and the block
    // itself, which stands for a segment with alarms) come with the main area.
    void ReadAlarmEntries()
    {
        const int count = At(AlarmCountAt);
        m_doc.AlarmSegments.clear();
        m_doc.AlarmBlocks.clear();
        if (count > 0)
            m_in.Seek(Section(AlarmSlot));
        for (int k = 0; k < count; ++k) {
            const int port = m_in.U8();
            m_in.U8();
            m_alarmReads.push_back(m_in.U16Le());
            m_facts.alarmPorts.push_back(port);
            m_facts.alarmWords.push_back(m_in.U8());
            AlarmSegment segment;
            segment.Station = "1";
            segment.Port = std::to_string(port);
            segment.StartIndex = "0";
            segment.Number = k + 1;
            segment.Entries.push_back({});
            m_doc.AlarmSegments.push_back(std::move(segment));
        }
        AppendEmptyAlarmSegments(m_doc.AlarmSegments, {});
    }

    bool AlarmsHaveNoReads() const
    {
        return std::all_of(m_alarmReads.begin(), m_alarmReads.end(), [](int a) { return a == kNoAddress; });
    }

    // [count], then per entry [level][password, low byte first]; the summary follows.
    void ReadPasswords()
    {
        m_in.Seek(Section(PasswordSlot));
        const int count = m_in.U8();
        m_doc.PasswordTable.clear();
        for (int slot = 0; slot < count; ++slot) {
            PasswordEntry entry;
            entry.Slot = slot;
            entry.Level = m_in.U8();
            if (entry.Level < 1 || entry.Level > kHighestLevel)
                throw FormatError("a password of level " + std::to_string(entry.Level));
            char digits[8];
            std::snprintf(digits, sizeof digits, "%04d", m_in.U16Le());
            entry.Password = digits;
            m_doc.HighestPasswordLevel = std::max(m_doc.HighestPasswordLevel, entry.Level);
            m_doc.PasswordTable.push_back(entry);
        }
        ApplyPasswordLevelCount(m_doc);
    }

    // [main blocks][glyphs, high byte first][edited screen][description
    // table offset][name length][name].
    void ReadSummary()
    {
        m_facts.mainBlockCount = m_in.U8();
        if (m_facts.mainBlockCount == 0 || m_facts.mainBlockCount > LongestMainArea())
            throw FormatError("the header names " + std::to_string(m_facts.mainBlockCount) + " main blocks");
        m_in.U16Be(); // the glyph count: the main area's own is read
        m_facts.editedScreen = m_in.U16Le();
        m_facts.descriptionOffset = m_in.U16Le();
        // The name alone would pair the image's device with the table of
        // the device open before: the device is taken with its files.
        m_facts.deviceName = m_in.Bytes(m_in.U8());
    }

    CVX50TextDoc& m_doc;
    const std::vector<std::uint8_t>& m_header;
    ByteReader m_in;
    ImageHeaderFacts m_facts;
    std::vector<int> m_alarmReads;
};

} // namespace

bool IsReadableDeviceName(std::string_view name)
{
    return IsSafeDeviceName(name) && name.find("..") == std::string_view::npos
        && std::none_of(name.begin(), name.end(), [](char c) {
               const auto b = static_cast<std::uint8_t>(c);
               return b < 0x20 || b == 0x7F;
           });
}

int LongestMainArea()
{
    return kPanelCapacity / kImageBlockSize;
}

ImageHeaderFacts ApplyHeaderSettings(CVX50TextDoc& doc, const std::vector<std::uint8_t>& header)
{
    return HeaderReader(doc, header).Read();
}
