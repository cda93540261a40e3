// The header area: its fixed part, its sections and the addresses between
// them, and the checks in building order.

#include "model/elements/CTextElement.h"
#include "transfer/image/ImageFixture.h"

using namespace image_test;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

class HeaderBuildTest : public ImageTest {
protected:
    HeaderBuildTest() { doc.Panel.ControlGroupName = "Reg"; }

    // The header's bytes up to its length; empty after a failed check, whose
    // message id is then in `failed`.
    std::vector<std::uint8_t> Header()
    {
        failed = 0;
        image = BuildImage();
        if (!image) {
            ADD_FAILURE() << "the main area failed";
            return {};
        }
        failed = image->header.failedMessageId;
        if (!image->header.area)
            return {};
        const HeaderArea& area = *image->header.area;
        EXPECT_EQ(area.bytes.size(), static_cast<std::size_t>(area.blockCount) * 256);
        return {area.bytes.begin(), area.bytes.begin() + area.length};
    }

    // The message id of the check that stops the header.
    int FailedCheck()
    {
        EXPECT_TRUE(Header().empty());
        return failed;
    }

    GlobalButton& AddButton(int function, const std::string& group, const std::string& element)
    {
        doc.GlobalButtons.push_back(FixtureButton(function, 0, group, element));
        return doc.GlobalButtons.back();
    }

    std::optional<Image> image;
    int failed = 0;
};

// The value of the little-endian address slot at `at`, as a header offset.
std::size_t SlotOffset(const std::vector<std::uint8_t>& h, std::size_t at)
{
    return static_cast<std::size_t>(h[at] + 256 * h[at + 1] - 0xF000);
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& h, std::size_t at, std::size_t n)
{
    return {h.begin() + static_cast<std::ptrdiff_t>(at), h.begin() + static_cast<std::ptrdiff_t>(at + n)};
}

TEST_F(HeaderBuildTest, DefaultProject)
{
    const auto h = Header();
    EXPECT_THAT(h, ElementsAreArray<std::uint8_t>({
        0x00, 0x23, 0x06, 0x23, 0x06, // 19200 baud, 8 data bits, 1 stop bit, no parity on both lines
        0x01, 0x00, 0x01,             // the Modbus library: raw commands, no head or tail, its check
        0x3F, 0xF0,                   // frame head and tail at 63
        0x41, 0xF0,                   // passwords at 65
        0x00,                         // default port
        0x01, 0x00,                   // N = 1
        0x00, 0x00,                   // main screen 1
        0x02, 0x60,                   // first glyph
        0x3D, 0xF0,                   // screen address table at 61
        0x00, 0x00, 0x00, 0xF0,       // no alarm blocks, not encrypted, no alarm entries
        0x00, 0x4E, 0xF0,             // no global buttons, their place at 78
        0x00, 0x00, 0x00,             // no screen switching, port 0
        0x00, 0xF0, 0x00, 0xF0, 0x00, 0xF0, // no control commands
        0x00, 0x00, 0x00, 0x00,       // no screen saver
        0x00,                         // low word first
        0x00, 0x3D, 0xF0, 0x00, 0x3D, 0xF0, // no copy registers
        0x01, 0x14, 0x0F, 0x3C,       // PN07: class 1, 20 ms, 300 / 20 tries, reply wait 60
        0x00, 0, 0, 0, 0, 0, 0, 0,    // readable
        0x0B,                         // format 11
        0x02, 0x60,                   // screen 1's record at 0x6002
        0x00, 0x00,                   // no frame head or tail
        0x00,                         // no passwords
        0x01, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x04, 'P', 'N', '0', '7', // summary
    }));
    ASSERT_TRUE(image->header.area);
    EXPECT_EQ(image->header.area->blockCount, 1);
    EXPECT_FALSE(image->header.area->beyondReadBack);
}

TEST_F(HeaderBuildTest, ScreenAddressTableHasAnEntryPerNumber)
{
    AddScreen(3);
    auto h = Header();
    // Screen 3's record follows screen 1's 8 bytes: 0x6002 + 8.
    EXPECT_THAT(Slice(h, 13, 2), ElementsAre(3, 0));
    EXPECT_THAT(Slice(h, 61, 6), ElementsAre(0x02, 0x60, 0x01, 0xFF, 0x0A, 0x60));
    EXPECT_EQ(SlotOffset(h, 8), 67u);

    // The alarm screen takes the number after the highest.
    AlarmBlock block;
    block.AlarmCount = 1;
    block.GroupMode = CoilOrMultiWriteMode;
    doc.AlarmBlocks = {block};
    h = Header();
    EXPECT_THAT(Slice(h, 13, 2), ElementsAre(4, 0));
    EXPECT_THAT(Slice(h, 67, 2), ElementsAre(0x12, 0x60));
}

TEST_F(HeaderBuildTest, HighScreenNumbersGrowTheTableNotPastTheHeader)
{
    // Entry 1199 is beyond a table of 1000; the header then passes the 2048
    // bytes Read takes back and is marked not readable.
    AddScreen(1200);
    auto h = Header();
    ASSERT_FALSE(h.empty());
    EXPECT_THAT(Slice(h, 13, 2), ElementsAre(0xB0, 0x04));
    EXPECT_THAT(Slice(h, 61 + 2 * 1199, 2), ElementsAre(0x0A, 0x60));
    EXPECT_THAT(Slice(h, 61 + 2 * 1198, 2), ElementsAre(0x01, 0xFF));
    EXPECT_EQ(h.size(), 61u + 2400 + 2 + 1 + 12);
    EXPECT_EQ(h[52], 1);
    EXPECT_TRUE(image->header.area->beyondReadBack);
    EXPECT_EQ(image->header.area->blockCount, 10);

    // 16 blocks at most (0xF0 to 0xFF): a longer header is refused.
    doc.Screens.back().Number = 2100;
    doc.Screens.back().UpKeyScreen = doc.Screens.back().DownKeyScreen = 2100;
    EXPECT_EQ(FailedCheck(), 61262);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(HeaderBuildTest, ReadableUnlessTheMainAreaDroppedItsTable)
{
    const MainArea main{std::vector<std::uint8_t>(256), 1, 2, true};
    ASSERT_TRUE(Build());
    const HeaderBuild header = BuildHeaderArea(doc, Modbus(), builder->Data(), main, 0);
    ASSERT_TRUE(header.area);
    EXPECT_EQ(header.area->bytes[52], 1);
    EXPECT_FALSE(header.area->beyondReadBack);
}

TEST_F(HeaderBuildTest, LinkTiming)
{
    struct Case {
        int commTime, timeout, byte49, byte50;
    };
    const Case cases[] = {
        {20, 300, 20, 15},
        {50, 100, 50, 10},
        {10, 1000, 10, 100},
        {0, 300, 10, 30}, // read back from a panel: never a division by 0
        {99, 1000, 50, 20},
    };
    for (const Case& c : cases) {
        doc.Panel.CommTime = c.commTime;
        doc.Panel.Timeout = c.timeout;
        const auto h = Header();
        EXPECT_THAT(Slice(h, 49, 2), ElementsAre(c.byte49, c.byte50)) << c.commTime << " " << c.timeout;
    }
}

TEST_F(HeaderBuildTest, PortsAndPanelSettings)
{
    AddScreen(3);
    doc.Rs485Port = {9600, 1, 7, 2};
    doc.Com1Port = {115200, 2, 8, 1};
    doc.DefaultPort = 1;
    doc.HighFront = 1;
    PanelSettings& panel = doc.Panel;
    panel.MainScreen = 3;
    panel.EncryptProject = 1;
    panel.ClearAfterSwitch = 1;
    panel.ControlPort = 1;
    panel.ScreenSaverIndex = 8;
    panel.ShowSaverScreen = 1;
    panel.SaverScreen = 3;
    panel.BacklightOffOnSaver = 1;
    auto h = Header();
    EXPECT_THAT(Slice(h, 1, 4), ElementsAre(0x47, 0x04 | 0x08 | 0x30, 0x05, 0x06 | 0x20));
    EXPECT_EQ(h[12], 1);
    EXPECT_THAT(Slice(h, 15, 2), ElementsAre(2, 0));
    EXPECT_EQ(h[22], 1);
    EXPECT_THAT(Slice(h, 28, 2), ElementsAre(4, 1));
    EXPECT_THAT(Slice(h, 37, 5), ElementsAre(0x10, 0x0E, 0x02, 0x80, 1)); // 3600 s, screen 3, backlight off

    panel.ShowSaverScreen = 0;
    h = Header();
    EXPECT_THAT(Slice(h, 37, 4), ElementsAre(0x10, 0x0E, 0xFF, 0xFF));
    panel.BacklightOffOnSaver = 0;
    h = Header();
    EXPECT_THAT(Slice(h, 37, 4), ElementsAre(0, 0, 0, 0));

    const std::pair<std::string, std::pair<int, int>> devices[] = {
        {"PN07", {1, 60}}, {"CT100", {2, 60}}, {"CT200", {2, 60}}, {"DB2100", {2, 60}},
        {"QM4", {3, 200}}, {"QM4ModBus", {4, 200}}, {"ModBus Slave", {0xFF, 200}},
    };
    for (const auto& [name, codes] : devices) {
        doc.DeviceName = name;
        h = Header();
        EXPECT_EQ(h[48], codes.first) << name;
        EXPECT_EQ(h[51], codes.second) << name;
    }
}

TEST_F(HeaderBuildTest, ChecksRunInBuildingOrder)
{
    doc.Panel.MainScreen = 2;
    doc.Panel.ShowSaverScreen = 1;
    doc.Panel.SaverScreen = 3;
    EXPECT_EQ(FailedCheck(), 61263);
    doc.Panel.MainScreen = 1;
    EXPECT_EQ(FailedCheck(), 61264);
    doc.Panel.SaverScreen = 1;

    // The control register: unnamed, then the report register after the
    // last element of its group.
    doc.Panel.ReportScreen = 1;
    EXPECT_EQ(FailedCheck(), 61265);
    doc.Panel.ControlElementName = "RTop";
    EXPECT_EQ(FailedCheck(), 61265);
    doc.Panel.ControlElementName = "R10";
    doc.Panel.PanelStation = 300; // the library refuses the station
    EXPECT_EQ(FailedCheck(), 61256);
    doc.Panel.PanelStation = 1;

    // A global button's check comes before the copy registers' commands.
    GlobalButton& step = AddButton(3, "Reg", "R0");
    step.Step = 10;
    step.Limit = 5;
    CopyRegGroup copy;
    copy.SourceStation = 300;
    copy.SourceGroupName = "Reg";
    copy.SourceStartElement = "R0";
    copy.Targets = {{1, 0, "R5", "Reg"}};
    doc.CopyRegGroups = {copy};
    EXPECT_EQ(FailedCheck(), 61391);
    doc.GlobalButtons.clear();
    EXPECT_EQ(FailedCheck(), 61256);
    doc.CopyRegGroups[0].SourceStation = 1;
    doc.CopyRegGroups[0].Targets[0].Station = 300;
    EXPECT_EQ(FailedCheck(), 61245);
    doc.CopyRegGroups[0].Targets[0].Station = 1;
    EXPECT_FALSE(Header().empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(HeaderBuildTest, ControlCommands)
{
    doc.Panel.AutoScreenSwitch = 1;
    doc.Panel.ControlElementName = "R10";
    auto h = Header();
    EXPECT_EQ(h[28], 1);
    // Control read of word 110 at 65: [8][01 03 00 6E 00 01 CRC][out1][1][out4][0x20][0][group].
    const std::size_t read = SlotOffset(h, 31);
    EXPECT_EQ(read, 65u);
    EXPECT_THAT(Slice(h, read, 7), ElementsAre(8, 1, 3, 0, 0x6E, 0, 1));
    EXPECT_THAT(Slice(h, read + 9, 6), ElementsAre(0, 1, 3, 0x20, 0, 2));
    const std::size_t write = SlotOffset(h, 33);
    EXPECT_EQ(write, read + 15);
    EXPECT_THAT(Slice(h, write, 7), ElementsAre(8, 1, 6, 0, 0x6E, 0, 0));
    // Without reporting the report write goes to the control register.
    const std::size_t report = SlotOffset(h, 35);
    EXPECT_EQ(report, write + 9);
    EXPECT_THAT(Slice(h, report, 7), ElementsAre(8, 1, 6, 0, 0x6E, 0, 0));
    EXPECT_THAT(Slice(h, report + 9, 2), ElementsAre(0, 4));
    EXPECT_EQ(SlotOffset(h, 23), 0u); // still "none": no alarm entries
    EXPECT_EQ(SlotOffset(h, 10), report + 11);

    doc.Panel.ReportScreen = 1;
    doc.Panel.PanelStation = 7;
    h = Header();
    EXPECT_EQ(h[28], 3);
    EXPECT_THAT(Slice(h, SlotOffset(h, 31), 7), ElementsAre(8, 7, 3, 0, 0x6E, 0, 1));
    EXPECT_THAT(Slice(h, SlotOffset(h, 35), 7), ElementsAre(8, 7, 6, 0, 0x6F, 0, 0));
}

TEST_F(HeaderBuildTest, AlarmEntriesPointAtTheirReads)
{
    AlarmBlock coils;
    coils.AlarmCount = 16;
    coils.GroupMode = CoilOrMultiWriteMode;
    coils.Port = 1;
    AlarmBlock bits = coils;
    bits.StartAddress = 50;
    bits.StartBit = 3;
    bits.AlarmCount = 5;
    bits.GroupMode = WordBitMode;
    bits.Port = 0;
    doc.AlarmBlocks = {coils, bits, coils};
    const auto h = Header();
    EXPECT_EQ(h[21], 3);
    const std::size_t at = SlotOffset(h, 23);
    const ProjectData& data = builder->Data();
    ASSERT_EQ(data.alarmPollOffsets.size(), 3u);
    const auto address = [&](int k) { return 0x6002 + data.alarmPollOffsets[static_cast<std::size_t>(k)]; };
    // [port][1][read][status word]: 16 coils from 0 take two words, as the
    // alarm list record counts them; the five bits from 50.3 take one word.
    EXPECT_THAT(Slice(h, at, 15), ElementsAre(1, 1, address(0) & 0xFF, address(0) >> 8, 0x64,
        0, 1, address(1) & 0xFF, address(1) >> 8, 0x66,
        1, 1, address(2) & 0xFF, address(2) >> 8, 0x67));
}

TEST_F(HeaderBuildTest, PasswordsAndSummary)
{
    doc.PasswordTable = {{0, 1, "5917"}, {2, 3, "0042"}};
    AddScreen(7);
    doc.CurrentScreenNumber = 7;
    Add(std::make_shared<CTextElement>(0))->SetText(kA);
    const auto h = Header();
    const std::size_t passwords = SlotOffset(h, 10);
    EXPECT_THAT(Slice(h, passwords, 7), ElementsAre(2, 1, 0x1D, 0x17, 3, 42, 0));
    // [blocks][glyphs, high byte first][edited screen's index][description table][name].
    const std::size_t summary = passwords + 7;
    EXPECT_THAT(Slice(h, summary, 8), ElementsAre(1, 0, 1, 1, 0, builder->Data().descriptionTableOffset, 0, 4));
    EXPECT_EQ(SlotOffset(h, 26), summary + 12);

    doc.CurrentScreenNumber = 9; // no such screen
    EXPECT_THAT(Slice(Header(), summary + 3, 2), ElementsAre(0, 0));
}

TEST_F(HeaderBuildTest, CopyRegisters)
{
    CopyRegGroup first;
    first.SourceStation = 2;
    first.SourceGroupName = "Reg";
    first.SourceStartElement = "R0";
    first.ElementCount = 3;
    first.SourcePort = 1;
    first.Targets = {{4, 1, "R10", "Reg"}, {5, 0, "R12", "Reg"}, {6, 0, "R14", "Reg"}};
    CopyRegGroup second = first;
    second.GroupNumber = 1;
    second.ElementCount = 2;
    second.SourcePort = 0;
    second.Targets = {{7, 1, "R16", "Reg"}};
    doc.CopyRegGroups = {first, second};
    const auto h = Header();
    EXPECT_EQ(h[42], 2);
    EXPECT_EQ(h[45], 3);
    EXPECT_THAT(Slice(h, 43, 5), ElementsAre(0x3D, 0xF0, 3, 0x49, 0xF0));
    // Sources: [port][1][read][buffer place][2 x count].
    EXPECT_THAT(Slice(h, 61, 2), ElementsAre(1, 1));
    EXPECT_THAT(Slice(h, 65, 2), ElementsAre(0x80, 6));
    EXPECT_THAT(Slice(h, 67, 2), ElementsAre(0, 1));
    EXPECT_THAT(Slice(h, 71, 2), ElementsAre(0x86, 4));
    // Targets: the first group's two on RS485, then on COM1 the first
    // group's one and the second group's one.
    EXPECT_THAT(Slice(h, 73, 2), ElementsAre(0, 2));
    EXPECT_THAT(Slice(h, 77, 2), ElementsAre(0x80, 6));
    EXPECT_THAT(Slice(h, 79, 2), ElementsAre(1, 1));
    EXPECT_THAT(Slice(h, 85, 2), ElementsAre(1, 1));
    EXPECT_THAT(Slice(h, 89, 2), ElementsAre(0x86, 4));
    EXPECT_EQ(SlotOffset(h, 19), 91u);

    // The reads: [8][read of 3 words at 100 from station 2][out4][group][0].
    std::size_t at = SlotOffset(h, 63);
    EXPECT_THAT(Slice(h, at, 7), ElementsAre(8, 2, 3, 0, 100, 0, 3));
    EXPECT_THAT(Slice(h, at + 9, 3), ElementsAre(3, 2, 0));
    EXPECT_EQ(SlotOffset(h, 69), at + 12);
    // The writes, out4 bytes of each (the head of a multiple write):
    // stations 5 and 6 (RS485), then 4 and 7 (COM1); each entry points at
    // its first.
    at = SlotOffset(h, 75);
    EXPECT_EQ(at, SlotOffset(h, 69) + 12);
    EXPECT_THAT(Slice(h, at, 10), ElementsAre(7, 5, 0x10, 0, 112, 0, 3, 6, 2, 0));
    EXPECT_THAT(Slice(h, at + 10, 10), ElementsAre(7, 6, 0x10, 0, 114, 0, 3, 6, 2, 0));
    EXPECT_EQ(SlotOffset(h, 81), at + 20);
    EXPECT_THAT(Slice(h, at + 20, 2), ElementsAre(7, 4));
    EXPECT_EQ(SlotOffset(h, 87), at + 30);
    EXPECT_THAT(Slice(h, at + 30, 10), ElementsAre(7, 7, 0x10, 0, 116, 0, 2, 4, 2, 0));
    EXPECT_EQ(h.size(), at + 40);
}

TEST_F(HeaderBuildTest, WithoutTheLibrary)
{
    doc.UseProtocolLibrary = 0;
    doc.Panel.AutoScreenSwitch = 1;
    doc.Panel.ControlElementName = "R10";
    AddButton(1, "Coil", "C3").Port = 1;
    const auto h = Header();
    EXPECT_THAT(Slice(h, 5, 3), ElementsAre(0, 0, 0));
    EXPECT_EQ(SlotOffset(h, 31), 0u);
    const std::size_t frame = SlotOffset(h, 8);
    EXPECT_THAT(Slice(h, frame, 2), ElementsAre(0, 0));
    EXPECT_EQ(SlotOffset(h, 10), frame + 2);
    const std::size_t button = SlotOffset(h, 26);
    EXPECT_THAT(Slice(h, button, 8), ElementsAre(7, 0x14, 0x1E, 0, 0, 0x39, 0, 7));
    EXPECT_EQ(h.size(), button + 8);
}

} // namespace
