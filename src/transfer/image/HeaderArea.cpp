#include "transfer/image/HeaderArea.h"

#include "base/ByteWriter.h"
#include "devices/AddressFileText.h"
#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "transfer/image/CopyRegisterSections.h"
#include "transfer/image/DeviceCommands.h"
#include "transfer/image/GlobalButtonRecord.h"
#include "transfer/image/HeaderAddresses.h"
#include "transfer/image/HeaderFailures.h"
#include "transfer/image/ImageLayout.h"
#include "transfer/image/PollRecords.h"
#include "StringIds.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr int kRs485 = 0;
constexpr int kCom1 = 1;
constexpr int kFirstGlyphAddress = kMainAreaAddress + 2;
constexpr int kCopySourceAddress = kHeaderAreaAddress + kHeaderFixedLength;
// The screen address table's entry for a number that no screen has: 01 FF.
constexpr std::uint16_t kNoScreen = 0xFF01;
// The control read's reply lands as a 16-bit register (poll slot 0x20).
constexpr std::uint8_t kRegisterSlot = 0x20;
constexpr int kFewestRetries = 10;

// Device class of the panel's firmware (byte 48) and its reply wait (byte 51).
int DeviceClass(std::string_view name)
{
    if (name == "PN07")
        return 1;
    if (name == "CT100" || name == "CT200" || name == "DB2100")
        return 2;
    if (name == "QM4")
        return 3;
    if (name == "QM4ModBus")
        return 4;
    return 0xFF;
}

int ReplyWait(std::string_view name)
{
    return name == "PN07" || name == "CT100" || name == "CT200" || name == "DB2100" ? 60 : 200;
}

// The communication time in its dialog range: a project read back from a
// panel may hold 0, which would leave the retry count undefined.
int CommTime(const PanelSettings& panel)
{
    return std::clamp(panel.CommTime, kShortestCommTime, kLongestCommTime);
}

// Tries before a time-out: ceil(time-out / communication time), at least 10.
int Retries(const PanelSettings& panel)
{
    const int commTime = CommTime(panel);
    const int tries = (std::max(panel.Timeout, 0) + commTime - 1) / commTime;
    return std::clamp(tries, kFewestRetries, 0xFF);
}

// The saver screen - 1 (0x8000 added when the backlight goes off too);
// 0xFFFF for a saver that only switches the backlight off.
int SaverScreenField(const PanelSettings& panel)
{
    const bool backlightOff = panel.BacklightOffOnSaver != 0;
    if (panel.ShowSaverScreen != 0)
        return panel.SaverScreen - 1 + (backlightOff ? 0x8000 : 0);
    return backlightOff ? 0xFFFF : 0;
}

// The word address of the element after `element` in `group`: where the
// panel reports the screen it shows; -1 when there is none.
int FollowingElementAddress(const AddressTable& table, std::string_view group, std::string_view element)
{
    const int index = FindElementGroupIndex(table, group);
    if (index < 0)
        return -1;
    const auto& elements = table[static_cast<std::size_t>(index)].elements;
    const auto it = std::find_if(elements.begin(), elements.end(),
        [&](const DeviceElement& e) { return e.name == element; });
    if (it == elements.end() || std::next(it) == elements.end())
        return -1;
    return std::next(it)->wordAddress;
}

class HeaderBuilder {
public:
    HeaderBuilder(const CVX50TextDoc& doc, const ProtocolFunctionTable& protocol, const ProjectData& data,
        const MainArea& main, int glyphCount)
        : m_doc(doc), m_commands(protocol), m_data(data), m_main(main), m_glyphCount(glyphCount), m_copies(doc)
    {
    }

    HeaderArea Build()
    {
        AppendFixedPart();
        m_copies.AppendEntries(m_out);
        AppendScreenTable();
        AppendFrame();
        AppendControlCommands();
        AppendAlarmEntries();
        AppendPasswords();
        AppendSummary();
        AppendGlobalButtons();
        m_copies.AppendCommands(m_out, m_commands);
        return Finish();
    }

private:
    bool UseLibrary() const { return m_doc.UseProtocolLibrary == 1; }
    int MainAddress(int projectDataOffset) const
    {
        return kMainAreaAddress + m_main.projectDataOffset + projectDataOffset;
    }
    void Fill(std::size_t slot) { SetAddressSlot(m_out, slot, NextHeaderAddress(m_out)); }
    void U8(int value) { m_out.U8(static_cast<std::uint8_t>(value)); }
    void U16(int value) { m_out.U16Le(static_cast<std::uint16_t>(value)); }

    void AppendFixedPart()
    {
        const PanelSettings& panel = m_doc.Panel;
        if (!m_doc.FindScreenByNumber(panel.MainScreen))
            FailHeader(IdsMainScreenMissing);
        if (panel.ShowSaverScreen != 0 && !m_doc.FindScreenByNumber(panel.SaverScreen))
            FailHeader(IdsDisplayScreenMissing);
        if (UseLibrary())
            m_frame = m_commands.HeadAndTail();

        U8(0);
        U8(m_doc.BaudToDivisorCode(kRs485));
        U8(m_doc.LineControlCode(kRs485));
        U8(m_doc.BaudToDivisorCode(kCom1));
        U8(m_doc.LineControlCode(kCom1));
        U8(UseLibrary() ? m_commands.HexCommands() : 0);
        U8(m_frame.result);
        U8(UseLibrary() ? m_commands.CheckType() : 0);
        U16(kNoAddress); // frame head and tail
        U16(kNoAddress); // passwords
        U8(m_doc.DefaultPort);
        U16(m_data.highestScreenNumber);
        U16(panel.MainScreen - 1);
        U16(kFirstGlyphAddress);
        U16(kNoAddress); // screen address table
        U8(static_cast<int>(m_doc.AlarmBlocks.size()));
        U8(panel.EncryptProject);
        U16(kNoAddress); // alarm entries
        U8(static_cast<int>(m_doc.GlobalButtons.size()));
        U16(kNoAddress); // global buttons
        U8((panel.AutoScreenSwitch != 0 ? AutoScreenSwitchFlag : 0) | (panel.ReportScreen != 0 ? ReportScreenFlag : 0)
            | (panel.ClearAfterSwitch != 0 ? ClearAfterSwitchFlag : 0));
        U8(panel.ControlPort);
        U8(0);
        U16(kNoAddress); // control read
        U16(kNoAddress); // control write
        U16(kNoAddress); // report write
        const bool saver = panel.ShowSaverScreen != 0 || panel.BacklightOffOnSaver != 0;
        U16(saver ? m_doc.ScreenSaverSeconds() : 0);
        U16(SaverScreenField(panel));
        U8(m_doc.HighFront);
        U8(m_copies.SourceCount());
        U16(kCopySourceAddress);
        U8(m_copies.TargetEntryCount());
        U16(kCopySourceAddress + static_cast<int>(kCopyEntryLength) * m_copies.SourceCount());
        U8(DeviceClass(m_doc.DeviceName));
        U8(CommTime(panel));
        U8(Retries(panel));
        U8(ReplyWait(m_doc.DeviceName));
        U8(0); // not readable: set by Finish
        m_out.Fill(7);
        U8(kImageFormatVersion);
    }

    // Entry n - 1 holds where the record of screen n starts, for n up to the
    // highest number (the alarm screen's when there is one).
    void AppendScreenTable()
    {
        Fill(ScreenTableSlot);
        const int n = m_data.highestScreenNumber;
        std::vector<std::uint16_t> entries(static_cast<std::size_t>(std::max(n, 0)), kNoScreen);
        for (const ScreenRecordPlace& screen : m_data.screens)
            if (screen.number >= 1 && screen.number <= n)
                entries[static_cast<std::size_t>(screen.number - 1)]
                    = static_cast<std::uint16_t>(MainAddress(screen.offset));
        for (const std::uint16_t entry : entries)
            m_out.U16Le(entry);
    }

    // [head length][head][tail length][tail]; two zero bytes without the library.
    void AppendFrame()
    {
        Fill(FrameSlot);
        U8(static_cast<int>(m_frame.head.size()));
        m_out.Bytes(m_frame.head);
        U8(static_cast<int>(m_frame.tail.size()));
        m_out.Bytes(m_frame.tail);
    }

    // The control register's read and write, and the write of the screen
    // shown, to the report register (the element after it) or else to the
    // control register.
    void AppendControlCommands()
    {
        const PanelSettings& panel = m_doc.Panel;
        if (panel.AutoScreenSwitch == 0 && panel.ReportScreen == 0)
            return;
        const AddressTable& table = m_doc.AddressTable;
        const int control = FindElementAddress(table, panel.ControlGroupName, panel.ControlElementName);
        const int report = panel.ReportScreen != 0
            ? FollowingElementAddress(table, panel.ControlGroupName, panel.ControlElementName)
            : control;
        if (control == -1 || report == -1)
            FailHeader(IdsSettingElementAddressBad);
        if (!UseLibrary())
            return;

        const int station = panel.PanelStation;
        const int mode = GetElementGroupMode(table, panel.ControlGroupName);
        const std::uint8_t zero[2] = {};
        Fill(ControlReadSlot);
        const LibraryCommand read = m_commands.ReadRegister(station, control, 1);
        if (read.result < 0)
            FailHeader(IdsReadRegisterFailed);
        read.AppendTo(m_out, read.out2);
        U8(read.out1);
        U8(1);
        U8(read.out4);
        U8(kRegisterSlot);
        U8(0);
        U8(FindElementGroupIndex(table, panel.ControlGroupName));

        Fill(ControlWriteSlot);
        const LibraryCommand clear = m_commands.WriteRegister(station, control, zero, 1, mode);
        if (clear.result < 0)
            FailHeader(IdsWriteRegisterFailed);
        clear.AppendTo(m_out, clear.out3);

        Fill(ReportWriteSlot);
        const LibraryCommand shown = m_commands.WriteRegister(station, report, zero, 1, mode);
        if (shown.result < 0)
            FailHeader(IdsWriteRegisterFailed);
        shown.AppendTo(m_out, shown.out3);
        U8(shown.out1);
        U8(shown.out4);
    }

    // [port][1][main-area address of the block's read][its status word].
    // Without the library the blocks have no read in the main area.
    void AppendAlarmEntries()
    {
        const auto& blocks = m_doc.AlarmBlocks;
        if (blocks.empty())
            return;
        Fill(AlarmSlot);
        const std::vector<int> words = AlarmStatusStartWords(blocks);
        for (std::size_t k = 0; k < blocks.size(); ++k) {
            U8(blocks[k].Port);
            U8(1);
            U16(k < m_data.alarmPollOffsets.size() ? MainAddress(m_data.alarmPollOffsets[k]) : kNoAddress);
            U8(words[k]);
        }
    }

    // [count], then per entry [level][the four digits as a number].
    void AppendPasswords()
    {
        Fill(PasswordSlot);
        U8(static_cast<int>(m_doc.PasswordTable.size()));
        for (const PasswordEntry& entry : m_doc.PasswordTable) {
            U8(entry.Level);
            U16(LeadingDecimal(entry.Password));
        }
    }

    // [main blocks][glyphs, high byte first][index of the edited screen]
    // [description table offset][device name length][device name].
    void AppendSummary()
    {
        const auto& screens = m_doc.Screens;
        const auto edited = std::find_if(screens.begin(), screens.end(),
            [&](const ScreenRecord& s) { return s.Number == m_doc.CurrentScreenNumber; });
        const std::string_view name = std::string_view(m_doc.DeviceName).substr(0, 0xFF);
        U8(m_main.blockCount);
        m_out.U16Be(static_cast<std::uint16_t>(m_glyphCount));
        U16(edited == screens.end() ? 0 : static_cast<int>(edited - screens.begin()));
        U16(m_data.descriptionTableOffset);
        U8(static_cast<int>(name.size()));
        m_out.Bytes(name);
    }

    void AppendGlobalButtons()
    {
        Fill(ButtonSlot);
        for (const GlobalButton& button : m_doc.GlobalButtons)
            AppendGlobalButtonRecord(m_out, button, m_doc, m_commands);
    }

    HeaderArea Finish()
    {
        HeaderArea area;
        area.length = static_cast<int>(m_out.Size());
        if (area.length > kLongestHeader)
            FailHeader(IdsResourceLimitExceeded);
        area.beyondReadBack = area.length > kReadBackHeaderLength;
        m_out.SetU8(NotReadableAt, m_main.notReadable || area.beyondReadBack ? 1 : 0);
        area.blockCount = ImageBlockCount(area.length);
        const std::string& bytes = m_out.Data();
        area.bytes.assign(bytes.begin(), bytes.end());
        area.bytes.resize(static_cast<std::size_t>(area.blockCount) * kImageBlockSize, 0);
        return area;
    }

    const CVX50TextDoc& m_doc;
    DeviceCommands m_commands;
    const ProjectData& m_data;
    const MainArea& m_main;
    int m_glyphCount = 0;
    CopyRegisterSections m_copies;
    FrameHeadTail m_frame;
    ByteWriter m_out;
};

} // namespace

bool HeaderNeedsProtocolLibrary(const CVX50TextDoc& doc)
{
    return doc.UseProtocolLibrary == 1 || !doc.CopyRegGroups.empty();
}

HeaderBuild BuildHeaderArea(const CVX50TextDoc& doc, const ProtocolFunctionTable& protocol, const ProjectData& data,
    const MainArea& main, int glyphCount)
{
    try {
        return {HeaderBuilder(doc, protocol, data, main, glyphCount).Build(), 0};
    } catch (const HeaderCheckFailed& failed) {
        return {std::nullopt, failed.messageId};
    }
}
