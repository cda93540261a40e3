// Screen records with their poll records, the alarm screen and the
// description table of the project data, and the values handed on to the
// header area.

#include "model/AlarmBlocks.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"
#include "transfer/image/ImageFixture.h"

using namespace image_test;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

using ProjectDataBuild = ImageTest;

AlarmBlock Block(int mode, int start, int count, int bit = 0, std::vector<std::string> texts = {})
{
    AlarmBlock block;
    block.GroupMode = mode;
    block.StartAddress = start;
    block.AlarmCount = count;
    block.StartBit = bit;
    block.Station = 1;
    block.GroupIndex = mode == CoilOrMultiWriteMode ? 0 : 1;
    for (std::size_t k = 0; k < texts.size(); ++k)
        block.Texts[k] = texts[k];
    return block;
}

TEST_F(ProjectDataBuild, OneEmptyScreen)
{
    auto data = Build();
    ASSERT_TRUE(data);
    EXPECT_THAT(Bytes(data->bytes), ElementsAre(0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0));
    EXPECT_EQ(data->bytes.size(), 11u);
    ASSERT_EQ(data->screens.size(), 1u);
    EXPECT_EQ(data->screens[0].number, 1);
    EXPECT_EQ(data->screens[0].offset, 0);
    EXPECT_EQ(data->highestScreenNumber, 1);
    EXPECT_EQ(data->descriptionTableOffset, 8);

    Screen().Description = "AB";
    data = Build(true);
    ASSERT_TRUE(data);
    EXPECT_THAT(Bytes(data->bytes.substr(8)), ElementsAre(1, 1, 0, 2, 'A', 'B'));
}

TEST_F(ProjectDataBuild, ScreenHeadNamesItsKeysAndPort)
{
    AddScreen(7);
    AddScreen(300);
    Screen().UpKeyScreen = 300;
    Screen().DownKeyScreen = 7;
    Screen().Port = 0x101;
    auto data = Build();
    ASSERT_TRUE(data);
    EXPECT_THAT(Bytes(data->bytes.substr(0, 8)), ElementsAre(0, 0, 0x2B, 0x01, 6, 0, 1, 0));
    EXPECT_EQ(data->highestScreenNumber, 300);
    ASSERT_EQ(data->screens.size(), 3u);
    EXPECT_EQ(data->screens[1].offset, 8);
    EXPECT_EQ(data->screens[2].offset, 16);
    // Without the library the port byte is 0 too.
    doc.UseProtocolLibrary = 0;
    data = Build();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->bytes[6], 0);
}

TEST_F(ProjectDataBuild, MissingKeyScreensFail)
{
    AddScreen(2);
    Screen(1).DownKeyScreen = 9;
    EXPECT_FALSE(Build());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].gbkText, GbkFromUtf8("画面2上的下键至画面号不存在!"));

    ui.messages.clear();
    Screen(1).UpKeyScreen = 8;
    EXPECT_FALSE(Build());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].gbkText, GbkFromUtf8("画面2上的上键至画面号不存在!"));
    for (const auto& call : ui.calls)
        EXPECT_EQ(call.rfind("GoToElement", 0), std::string::npos);
}

TEST_F(ProjectDataBuild, PollRecordsCarryTheLibrarysReads)
{
    auto lamp = Add(std::make_shared<CLampElement>());
    Bind(*lamp, "Coil", "C17");
    auto reg = Add(std::make_shared<CRegisterElement>());
    Bind(*reg, "Reg", "R5");
    const auto data = Build();
    ASSERT_TRUE(data);
    const std::string& b = data->bytes;
    EXPECT_EQ(b[7], 2);
    // The coil read from 16, 16 bits: Modbus 01 16 00 10 00 10 + CRC.
    EXPECT_THAT(Bytes(b.substr(8, 7)), ElementsAre(8, 1, 1, 0, 16, 0, 16));
    // Data format, one item: reply byte 3 (GetReadCoilPos), word 1, bit 1
    // of that byte at index 0, group 0.
    EXPECT_THAT(Bytes(b.substr(17, 6)), ElementsAre(0, 1, 3, 1, 1, 0));
    // The register read: item at reply byte 0 + the read's data start 3,
    // slot 0x20, word 2, group 2.
    EXPECT_THAT(Bytes(b.substr(23, 7)), ElementsAre(8, 1, 3, 0, 105, 0, 1));
    EXPECT_THAT(Bytes(b.substr(32, 6)), ElementsAre(0, 1, 3, 0x20, 2, 2));
}

TEST_F(ProjectDataBuild, WithoutTheLibraryScreensCarryNoPollRecords)
{
    doc.UseProtocolLibrary = 0;
    auto reg = Add(std::make_shared<CRegisterElement>());
    reg->SetStation(0);
    const auto data = Build();
    ASSERT_TRUE(data);
    EXPECT_THAT(Bytes(data->bytes.substr(6, 3)), ElementsAre(0, 0, 9));
}

TEST_F(ProjectDataBuild, RefusedReadsFail)
{
    auto lamp = Add(std::make_shared<CLampElement>());
    Bind(*lamp, "Coil", "C1");
    lamp->SetStation(300); // no Modbus station
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.MessageIds(), ElementsAre(61255));

    ui.messages.clear();
    Screen().Elements.clear();
    auto reg = Add(std::make_shared<CRegisterElement>());
    Bind(*reg, "Reg", "RTop");
    reg->RegisterCount = 2; // reads past 0xFFFF
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.MessageIds(), ElementsAre(61256));
}

TEST_F(ProjectDataBuild, PollPlanFailuresStopTheBuild)
{
    auto lamp = Add(std::make_shared<CLampElement>());
    Bind(*lamp, "Coil", "missing");
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.calls, ElementsAre("ShowMessageText", "GoToElement 0 0 1"));
}

TEST_F(ProjectDataBuild, ProgressMovesFourTimesAScreen)
{
    AddScreen(2);
    builder = std::make_unique<MainAreaBuilder>(doc, Modbus(), ui, FixtureFont());
    int progress = 10;
    ASSERT_TRUE(builder->BuildProjectData({}, progress));
    EXPECT_EQ(progress, 18);
    EXPECT_THAT(ui.progress, ElementsAre(11, 12, 13, 14, 15, 16, 17, 18));

    doc.UseProtocolLibrary = 0;
    ui.progress.clear();
    ASSERT_TRUE(builder->BuildProjectData({}, progress));
    EXPECT_THAT(ui.progress, ElementsAre(19, 20, 21, 22));
}

TEST_F(ProjectDataBuild, LongDescriptionsAreCutOnACharacter)
{
    Screen().Description = std::string(254, 'x') + kAh + "yz";
    const auto data = Build(true);
    ASSERT_TRUE(data);
    const std::string table = data->bytes.substr(static_cast<std::size_t>(data->descriptionTableOffset));
    EXPECT_EQ(static_cast<std::uint8_t>(table[3]), 254);
    EXPECT_EQ(table.substr(4), std::string(254, 'x'));
}

TEST_F(ProjectDataBuild, AlarmScreenFollowsTheScreens)
{
    AddScreen(5);
    doc.AlarmBlocks = {Block(CoilOrMultiWriteMode, 10, 8, 0, {"A", kAh})};
    const auto data = Build();
    ASSERT_TRUE(data);
    ASSERT_EQ(data->screens.size(), 3u);
    EXPECT_EQ(data->screens[2].number, 6);
    EXPECT_EQ(data->highestScreenNumber, 6);
    const std::string alarm = data->bytes.substr(static_cast<std::size_t>(data->screens[2].offset));
    EXPECT_THAT(Bytes(alarm.substr(0, 8)), ElementsAre(1, 0, 2, 0, 2, 0, 0, 1));
    ASSERT_EQ(data->alarmPollOffsets.size(), 1u);
    EXPECT_EQ(data->alarmPollOffsets[0], data->screens[2].offset + 8);
    // 32 coils from 0; GetALMRetAdd(0, 10): reply byte 4, bit 2.
    EXPECT_THAT(Bytes(alarm.substr(8, 7)), ElementsAre(8, 1, 1, 0, 0, 0, 32));
    EXPECT_THAT(Bytes(alarm.substr(17, 6)), ElementsAre(0, 1, 4, 2, 8, 0));
    // The alarm list: one block of 8 alarms at word 100, bit 2, two texts.
    EXPECT_THAT(Bytes(alarm.substr(23, 13)), ElementsAre(12, 1, 8, 100, 2, 1, 'A', 2, 0x80, 0, 0, 0, 0));
    EXPECT_EQ(data->descriptionTableOffset, data->screens[2].offset + 39);
}

TEST_F(ProjectDataBuild, AlarmBlockReads)
{
    struct Case {
        AlarmBlock block;
        std::vector<std::uint8_t> read; // station, function, start, count
        std::vector<std::uint8_t> tail; // after the command
    };
    const Case cases[] = {
        {Block(CoilOrMultiWriteMode, 0, 16), {1, 1, 0, 0, 0, 16}, {0, 1, 3, 0, 16, 0}},
        {Block(WordBitMode, 50, 16, 0), {1, 3, 0, 50, 0, 2}, {0, 1, 3, 16, 16, 1}},
        {Block(WordBitMode, 50, 1, 15), {1, 3, 0, 50, 0, 2}, {0, 1, 3, 31, 1, 1}},
    };
    for (const Case& c : cases) {
        doc.AlarmBlocks = {c.block};
        const auto data = Build();
        ASSERT_TRUE(data);
        const std::string poll = data->bytes.substr(static_cast<std::size_t>(data->alarmPollOffsets[0]));
        EXPECT_EQ(poll[0], 8);
        EXPECT_THAT(Bytes(poll.substr(1, 6)), ElementsAreArray(c.read));
        EXPECT_THAT(Bytes(poll.substr(9, 6)), ElementsAreArray(c.tail));
    }
}

TEST_F(ProjectDataBuild, AlarmBlocksTakeScreenMemoryWordsInTurn)
{
    doc.AlarmBlocks = {Block(WordBitMode, 20, 5, 4), Block(WordBitMode, 60, 3, 7), Block(WordBitMode, 70, 1, 0)};
    auto data = Build();
    ASSERT_TRUE(data);
    std::string list = data->bytes.substr(static_cast<std::size_t>(data->screens[1].offset) + 8 + 3 * 15);
    // (20 % 16 + 5) / 16 + 1 = 1 word; (60 % 16 + 3) / 16 + 1 = 1 word.
    EXPECT_THAT(Bytes(list.substr(0, 14)), ElementsAre(12, 3, 5, 100, 4, 0, 0, 0, 0, 0, 3, 101, 7, 0));
    EXPECT_THAT(Bytes(list.substr(16, 3)), ElementsAre(1, 102, 0));

    // Without the library: no reads, and word and bit are 0.
    doc.UseProtocolLibrary = 0;
    data = Build();
    ASSERT_TRUE(data);
    list = data->bytes.substr(static_cast<std::size_t>(data->screens[1].offset));
    EXPECT_EQ(list[7], 0);
    EXPECT_THAT(Bytes(list.substr(8, 5)), ElementsAre(12, 3, 5, 0, 0));
    EXPECT_TRUE(data->alarmPollOffsets.empty());
}

TEST_F(ProjectDataBuild, AlarmBlocksComeFromTheSegmentsWithAlarms)
{
    // A segment without alarms ahead of a register-bit segment: the block
    // read uses that segment's own start bit.
    AlarmSegment empty;
    empty.GroupName = "Coil";
    empty.StartIndex = "0";
    empty.Station = "1";
    empty.Entries.resize(1);
    AlarmSegment bits = empty;
    bits.GroupName = "Bits";
    bits.StartIndex = "6";
    bits.Entries.resize(3);
    doc.AlarmSegments = {empty, bits};
    doc.AlarmBlocks = BuildAlarmBlocks(doc.AlarmSegments, doc.AddressTable);
    const auto data = Build();
    ASSERT_TRUE(data);
    const std::string poll = data->bytes.substr(static_cast<std::size_t>(data->alarmPollOffsets.at(0)));
    EXPECT_THAT(Bytes(poll.substr(9, 6)), ElementsAre(0, 1, 3, 6 + 16, 2, 1));
}

TEST_F(ProjectDataBuild, RefusedAlarmReadFails)
{
    doc.AlarmBlocks = {Block(CoilOrMultiWriteMode, 0xFFF8, 20)};
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.MessageIds(), ElementsAre(61255));
    doc.AlarmBlocks = {Block(WordBitMode, 0xFFFF, 20)};
    ui.messages.clear();
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.MessageIds(), ElementsAre(61256));
}

} // namespace

namespace {

TEST_F(ProjectDataBuild, ALibraryWithoutItsReadsFailsInsteadOfCalling)
{
    auto lamp = Add(std::make_shared<CLampElement>());
    Bind(*lamp, "Coil", "C1");
    const ProtocolFunctionTable none;
    MainAreaBuilder bare(doc, none, ui, FixtureFont());
    int progress = 0;
    EXPECT_FALSE(bare.BuildProjectData({}, progress));
    EXPECT_THAT(ui.MessageIds(), ElementsAre(61255));
}

} // namespace
