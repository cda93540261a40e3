#include "model/CVX50TextDoc.h"
#include "base/GbkText.h"
#include "model/projectfile/ProjectSections.h"
#include "support/RecordingUserInterface.h"
#include "support/TableGroups.h"

#include <gtest/gtest.h>

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

AlarmSegment Segment(std::string group, std::string start, std::vector<AlarmEntry> alarms)
{
    AlarmSegment s;
    s.Station = "3";
    s.Port = "1";
    s.GroupName = std::move(group);
    s.StartIndex = std::move(start);
    s.Number = 1;
    s.Entries = std::move(alarms);
    s.Entries.push_back({});
    return s;
}

// A segment record as the file holds it, for a table that is read back.
std::string SegmentRecord(int word, int rows, int group, int bitCode, std::initializer_list<const char*> texts)
{
    std::string s = Bytes({word & 0xFF, word >> 8, rows, 1, 0, 0, group, bitCode});
    for (const char* t : texts)
        s += static_cast<char>(std::strlen(t)) + std::string(t);
    return s;
}

std::vector<std::string> RowNames(const AlarmSegment& s)
{
    std::vector<std::string> names;
    for (const auto& e : s.Entries)
        names.push_back(e.ElementName);
    return names;
}

class ProjectSections : public ::testing::Test {
protected:
    RecordingUserInterface ui;
    CVX50TextDoc doc;
};

} // namespace

TEST_F(ProjectSections, AlarmSegmentWritesRowsAndReadsBackWithBlock)
{
    doc.AddressTable = {MakeGroup("X", BitElementType, CoilOrMultiWriteMode,
                              {{"X0", 0x20, 0}, {"X1", 0x21, 0}, {"X2", 0x22, 0}, {"X3", 0x23, 0}, {"X4", 0x24, 0}})};
    doc.AlarmSegments = {Segment("X", "1", {{"X1", "a"}, {"X2", "b"}, {"X3", "c"}})};
    ByteWriter out;
    WriteAlarmSection(out, doc);
    EXPECT_EQ(out.Data(), Bytes({1, 0, 0x21, 0x00, 4, 3, 1, 1, 0, 0, 1, 'a', 1, 'b', 1, 'c'}));

    CVX50TextDoc back;
    back.AddressTable = doc.AddressTable;
    ByteReader in(out.Data());
    ReadAlarmSection(in, back);
    EXPECT_TRUE(in.AtEnd());
    ASSERT_EQ(back.AlarmSegments.size(), 1u);
    EXPECT_EQ(back.AlarmSegments[0], doc.AlarmSegments[0]);
    ASSERT_EQ(back.AlarmBlocks.size(), 1u);
    const AlarmBlock& block = back.AlarmBlocks[0];
    EXPECT_EQ(block.AlarmCount, 3);
    EXPECT_EQ(block.StartAddress, 0x21);
    EXPECT_EQ(block.StartBit, 0);
    EXPECT_EQ(block.GroupMode, 1);
    EXPECT_EQ(block.GroupIndex, 0);
    EXPECT_EQ(block.Station, 3);
    EXPECT_EQ(block.Port, 1);
    EXPECT_EQ(block.Texts[2], "c");
    EXPECT_EQ(back.TableExtended, 0);
}

TEST_F(ProjectSections, AlarmTextsAreCutToTwentyFourBytesOnACharacterBoundary)
{
    doc.AddressTable = {MakeGroup("X", BitElementType, CoilOrMultiWriteMode, {{"X0", 0, 0}, {"X1", 1, 0}, {"X2", 2, 0}})};
    const std::string chinese = GbkFromUtf8("过热报警温度过高请检查冷却水泵"); // 30 bytes
    const std::string oddStart = "a" + chinese;                             // byte 24 would split a character
    doc.AlarmSegments = {Segment("X", "0", {{"X0", std::string(30, 'x')}, {"X1", chinese}, {"X2", oddStart}})};
    ByteWriter out;
    WriteAlarmSection(out, doc);

    CVX50TextDoc back;
    back.AddressTable = doc.AddressTable;
    ByteReader in(out.Data());
    ReadAlarmSection(in, back);
    ASSERT_EQ(back.AlarmSegments.size(), 1u);
    const auto& rows = back.AlarmSegments[0].Entries;
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].Text, std::string(24, 'x'));
    EXPECT_EQ(rows[1].Text, chinese.substr(0, 24));
    EXPECT_EQ(rows[2].Text, oddStart.substr(0, 23));
}

TEST_F(ProjectSections, SegmentWithoutAlarmsHasNoGroupAndNoBlock)
{
    doc.AddressTable = {MakeGroup("W", Word16ElementType, 1, {}), MakeGroup("M", BitElementType, WordBitMode, {})};
    doc.AlarmSegments = {Segment("M", "0", {})};
    doc.ShownAlarmSegment = 2;
    ByteWriter out;
    WriteAlarmSection(out, doc);
    EXPECT_EQ(out.Data(), Bytes({1, 2, 0xFF, 0x00, 1, 3, 1, 0, 0xFF, 0x80}));

    CVX50TextDoc back;
    back.AddressTable = doc.AddressTable;
    ByteReader in(out.Data());
    ReadAlarmSection(in, back);
    EXPECT_EQ(back.ShownAlarmSegment, 2);
    ASSERT_EQ(back.AlarmSegments.size(), 1u);
    EXPECT_EQ(back.AlarmSegments[0].GroupName, "M"); // the first bit group
    EXPECT_EQ(back.AlarmSegments[0].Entries.size(), 1u);
    EXPECT_TRUE(back.AlarmBlocks.empty());
}

TEST_F(ProjectSections, MissingTableGetsTheWordBitPositionsOfASegment)
{
    // Four alarms from word 0x10 bit 14, group index 2, table file missing.
    doc.TableMissing = 1;
    const std::string bytes = Bytes({1, 0}) + SegmentRecord(0x10, 5, 2, 0x80 + 14, {"a", "b", "c", "d"});
    ByteReader in(bytes);
    ReadAlarmSection(in, doc);

    ASSERT_EQ(doc.AddressTable.size(), 3u);
    EXPECT_EQ(doc.AddressTable[0].elementType, PlaceholderElementType);
    const ElementGroup& g = doc.AddressTable[2];
    EXPECT_EQ(g.name, "BIT2");
    EXPECT_EQ(g.accessMode, WordBitMode);
    EXPECT_EQ(ElementNames(g), (std::vector<std::string>{"B10-E", "B10-F", "B11-0", "B11-1", "B11-2"}));
    EXPECT_EQ(g.elements[3].wordAddress, 0x11);
    EXPECT_EQ(g.elements[3].bit, 1);
    EXPECT_EQ(RowNames(doc.AlarmSegments[0]), (std::vector<std::string>{"B10-E", "B10-F", "B11-0", "B11-1", ""}));
    EXPECT_EQ(doc.AlarmBlocks[0].StartBit, 14);
    EXPECT_EQ(doc.TableExtended, 1);
}

TEST_F(ProjectSections, EarlierSegmentKeepsItsStartElementWhenALaterOneInsertsBeforeIt)
{
    doc.AddressTable = {MakeGroup("C", BitElementType, CoilOrMultiWriteMode, {{"C5", 5, 0}, {"C9", 9, 0}})};
    const std::string bytes =
        Bytes({2, 0}) + SegmentRecord(9, 2, 0, 0, {"nine"}) + SegmentRecord(5, 3, 0, 0, {"five", "six"});
    ByteReader in(bytes);
    ReadAlarmSection(in, doc);

    // Every row's position is made present, the typing row's too.
    EXPECT_EQ(ElementNames(doc.AddressTable[0]), (std::vector<std::string>{"C5", "B6", "B7", "C9", "BA"}));
    ASSERT_EQ(doc.AlarmSegments.size(), 2u);
    EXPECT_EQ(doc.AlarmSegments[0].StartIndex, "3");
    EXPECT_EQ(doc.AlarmSegments[1].StartIndex, "0");
    EXPECT_EQ(RowNames(doc.AlarmSegments[1]), (std::vector<std::string>{"C5", "B6", ""}));
    ASSERT_EQ(doc.AlarmBlocks.size(), 2u);
    EXPECT_EQ(doc.AlarmBlocks[0].StartAddress, 9);
    EXPECT_EQ(doc.AlarmBlocks[1].StartAddress, 5);
}

TEST_F(ProjectSections, InsertedAlarmElementsStayInsideTheirGroup)
{
    // The start element is the group's last, so alarm 2 would be inserted
    // past the group's end.
    doc.AddressTable = {MakeGroup("D", BitElementType, CoilOrMultiWriteMode, {{"D6", 6, 0}, {"D5", 5, 0}})};
    const std::string bytes = Bytes({1, 0}) + SegmentRecord(5, 4, 0, 0, {"five", "six", "seven"});
    ByteReader in(bytes);
    ReadAlarmSection(in, doc);

    EXPECT_EQ(ElementNames(doc.AddressTable[0]), (std::vector<std::string>{"D6", "D5", "B7", "B8"}));
    EXPECT_EQ(RowNames(doc.AlarmSegments[0]), (std::vector<std::string>{"D5", "B7", "B8", ""}));
}

TEST_F(ProjectSections, GlobalButtonRecordSizeFollowsItsValueWidth)
{
    const struct {
        int type;
        int count;
        std::size_t size;
    } cases[] = {{16, 1, 1 + 16 + 6}, {16, 2, 1 + 16 + 12}, {32, 1, 1 + 16 + 12}, {0, 1, 1 + 16 + 12}};
    for (const auto& c : cases) {
        GlobalButton button;
        button.ElementType = c.type;
        button.RegisterCount = c.count;
        doc.GlobalButtons = {button};
        ByteWriter out;
        WriteGlobalButtonSection(out, doc);
        EXPECT_EQ(out.Size(), c.size) << "type " << c.type << " count " << c.count;
    }
}

TEST_F(ProjectSections, GlobalButtonsRoundTripWithSelectedIndex)
{
    doc.AddressTable = {MakeGroup("M", BitElementType, WordBitMode, {{"M0", 0x100, 3}}),
                        MakeGroup("D", Word16ElementType, CoilOrMultiWriteMode, {{"D7", 7, 0}})};
    GlobalButton coil;
    coil.GroupName = "M";
    coil.ElementName = "M0";
    coil.TypeText = GbkFromUtf8("位元件");
    coil.Flags = GlobalButton::ProtectedFlag;
    coil.UserLevel = 0;
    coil.KeyCode = 13;
    coil.Port = 1;
    GlobalButton reg;
    reg.Function = 2 << 2;
    reg.GroupName = "D";
    reg.ElementName = "D7";
    reg.TypeText = GbkFromUtf8("16位字元件");
    reg.ElementType = 16;
    reg.DisplayFormat = 2;
    reg.Value = -5;
    reg.Step = 1;
    reg.Limit = -32768;
    reg.JumpScreen = 300;
    doc.GlobalButtons = {coil, reg};
    doc.SelectedGlobalButton = 1;

    ByteWriter out;
    WriteGlobalButtonSection(out, doc);
    EXPECT_EQ(out.Data().substr(1, 16),
              Bytes({4, 4, 1, 1, 1, 0, 1, 0, 0, 1, 13, 0x00, 0x01, 0x83, 0, 1}));

    CVX50TextDoc back;
    back.ReadingVersion = 11;
    back.AddressTable = doc.AddressTable;
    ByteReader in(out.Data());
    ReadGlobalButtonSection(in, back);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back.GlobalButtons, doc.GlobalButtons);
    EXPECT_EQ(back.SelectedGlobalButton, 1);
}

TEST_F(ProjectSections, VersionOneButtonHasAShortHeadAndNoPort)
{
    doc.ReadingVersion = 1;
    doc.AddressTable = {MakeGroup("D", Word16ElementType, CoilOrMultiWriteMode, {{"D2", 2, 0}})};
    const std::string bytes =
        Bytes({1, 8, 0, 5, 1, 9, 16, 0, 1, 3, 0x02, 0x00, 0x00, 0, 0, 10, 0, 1, 0, 100, 0});
    ByteReader in(bytes);
    ReadGlobalButtonSection(in, doc);
    EXPECT_TRUE(in.AtEnd());
    ASSERT_EQ(doc.GlobalButtons.size(), 1u);
    const GlobalButton& b = doc.GlobalButtons[0];
    EXPECT_EQ(b.JumpScreen, 9);
    EXPECT_EQ(b.Port, 0);
    EXPECT_EQ(b.KeyCode, 3);
    EXPECT_EQ(b.ElementName, "D2");
    EXPECT_EQ(b.Value, 10);
    EXPECT_EQ(b.Limit, 100);
}

TEST_F(ProjectSections, MissingTableGetsTheGroupAndElementOfAButton)
{
    doc.ReadingVersion = 11;
    doc.TableMissing = 1;
    doc.Register32Interval = 2;
    std::string bytes = Bytes({1, 8, 0, 1, 1, 1, 0, 0, 32, 0, 1, 5, 0x10, 0x00, 0, 3, 0});
    bytes += std::string(12, '\0');
    ByteReader in(bytes);
    ReadGlobalButtonSection(in, doc);

    ASSERT_EQ(doc.AddressTable.size(), 4u);
    const ElementGroup& g = doc.AddressTable[3];
    EXPECT_EQ(g.name, "DWORD3");
    EXPECT_EQ(g.elementType, Word32ElementType);
    EXPECT_EQ(g.interval32, 2);
    EXPECT_EQ(ElementNames(g), std::vector<std::string>{"DW10"});
    EXPECT_EQ(doc.GlobalButtons[0].GroupName, "DWORD3");
    EXPECT_EQ(doc.GlobalButtons[0].ElementName, "DW10");
    EXPECT_EQ(doc.GlobalButtons[0].TypeText, GbkFromUtf8("32位字元件"));
    EXPECT_EQ(doc.TableExtended, 1);
}

TEST_F(ProjectSections, PasswordsKeepLeadingZerosAndRaiseTheLevelCount)
{
    doc.PasswordTable = {{0, 1, "0042"}, {3, 2, "5917"}};
    ByteWriter out;
    WritePasswordSection(out, doc);
    EXPECT_EQ(out.Data(), Bytes({2, 0, 1, 42, 0, 3, 2, 0x1D, 0x17}));

    ByteReader in(out.Data());
    ReadPasswordSection(in, doc);
    EXPECT_EQ(doc.PasswordTable, (std::vector<PasswordEntry>{{0, 1, "0042"}, {3, 2, "5917"}}));
    EXPECT_EQ(doc.HighestPasswordLevel, 2);
    EXPECT_NE(std::find(ui.calls.begin(), ui.calls.end(), "PasswordLevelsChanged"), ui.calls.end());
}

TEST_F(ProjectSections, SettingsRecordRoundTripsEveryField)
{
    doc.AddressTable = {MakeGroup("D", Word16ElementType, SingleWriteMode, {{"D100", 100, 0}, {"D101", 101, 0}})};
    doc.Rs485Port = {9600, 2, 7, 2};
    doc.Com1Port = {115200, 1, 8, 1};
    doc.DefaultPort = 1;
    doc.Panel.ShowSaverScreen = 1;
    doc.Panel.BacklightOffOnSaver = 1;
    doc.Panel.ScreenSaverIndex = 9;
    doc.Panel.PanelStation = 7;
    doc.Panel.AutoScreenSwitch = 1;
    doc.Panel.ClearAfterSwitch = 1;
    doc.Panel.ControlPort = 1;
    doc.Panel.ReportScreen = 1;
    doc.Panel.SaverScreen = 3;
    doc.Panel.MainScreen = 2;
    doc.CurrentScreenNumber = 5;
    doc.Panel.ControlGroupName = "D";
    doc.Panel.ControlElementName = "D100";
    doc.Panel.EncryptProject = 1;
    doc.CopyRegGroups = {CopyRegGroup{}, CopyRegGroup{}};

    ByteWriter out;
    WriteSettingsSection(out, doc);
    out.U8(2); // the copy-register count that follows the record
    ASSERT_EQ(out.Size(), 31u);
    EXPECT_EQ(out.Data().substr(0, 8), Bytes({0x80, 0x25, 0, 0, 7, 2, 0x12, 3}));
    EXPECT_EQ(out.Data().substr(19, 3), Bytes({100, 0, 0}));
    EXPECT_EQ(out.Data()[29], 0x11);

    CVX50TextDoc back;
    back.ReadingVersion = 11;
    back.AddressTable = doc.AddressTable;
    ByteReader in(out.Data());
    EXPECT_EQ(ReadSettingsSection(in, back), 2);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back.Rs485Port.baud, 9600);
    EXPECT_EQ(back.Rs485Port.parity, 2);
    EXPECT_EQ(back.Rs485Port.dataBits, 7);
    EXPECT_EQ(back.Rs485Port.stopBits, 2);
    EXPECT_EQ(back.Com1Port.baud, 115200);
    EXPECT_EQ(back.Com1Port.parity, 1);
    EXPECT_EQ(back.DefaultPort, 1);
    EXPECT_EQ(back.Panel.ShowSaverScreen, 1);
    EXPECT_EQ(back.Panel.BacklightOffOnSaver, 1);
    EXPECT_EQ(back.Panel.ScreenSaverIndex, 9);
    EXPECT_EQ(back.Panel.PanelStation, 7);
    EXPECT_EQ(back.Panel.AutoScreenSwitch, 1);
    EXPECT_EQ(back.Panel.ClearAfterSwitch, 1);
    EXPECT_EQ(back.Panel.ControlPort, 1);
    EXPECT_EQ(back.Panel.ReportScreen, 1);
    EXPECT_EQ(back.Panel.SaverScreen, 3);
    EXPECT_EQ(back.Panel.MainScreen, 2);
    EXPECT_EQ(back.CurrentScreenNumber, 5);
    EXPECT_EQ(back.Panel.ControlGroupName, "D");
    EXPECT_EQ(back.Panel.ControlElementName, "D100");
    EXPECT_EQ(back.Panel.EncryptProject, 1);
    EXPECT_EQ(back.TableExtended, 0);
}

TEST_F(ProjectSections, OlderSettingsRecordsByVersion)
{
    // Byte 7 = 0 meant "show the screen" before version 7; versions before 3
    // have no encrypt byte and versions before 4 no COM1 settings.
    const struct {
        int version;
        std::size_t size;
        int showScreen;
    } cases[] = {{2, 22, 1}, {3, 23, 1}, {6, 31, 1}, {7, 31, 0}, {11, 31, 0}};
    for (const auto& c : cases) {
        CVX50TextDoc d;
        d.ReadingVersion = c.version;
        std::string bytes(c.size, '\0');
        bytes[19] = 0x05;
        bytes[21] = static_cast<char>(0xFF);
        ByteReader in(bytes);
        ReadSettingsSection(in, d);
        EXPECT_TRUE(in.AtEnd()) << "version " << c.version;
        EXPECT_EQ(d.Panel.ShowSaverScreen, c.showScreen) << "version " << c.version;
        EXPECT_EQ(d.Com1Port.baud, c.version >= 4 ? 0 : 19200) << "version " << c.version;
    }
}

TEST_F(ProjectSections, ControlRegisterIsCreatedOnlyWhenThePanelUsesIt)
{
    std::string bytes(23, '\0');
    bytes[12] = 1; // report-screen flag
    bytes[19] = 0x20;
    bytes[21] = 1; // group index
    doc.ReadingVersion = 3;
    doc.TableMissing = 1;
    ByteReader in(bytes);
    ReadSettingsSection(in, doc);
    ASSERT_EQ(doc.AddressTable.size(), 2u);
    EXPECT_EQ(doc.AddressTable[1].name, "WORD1");
    EXPECT_EQ(ElementNames(doc.AddressTable[1]), (std::vector<std::string>{"W20", "W21"}));
    EXPECT_EQ(doc.Panel.ControlElementName, "W20");

    CVX50TextDoc unused;
    unused.ReadingVersion = 3;
    unused.TableMissing = 1;
    bytes[12] = 0;
    ByteReader again(bytes);
    ReadSettingsSection(again, unused);
    EXPECT_TRUE(unused.AddressTable.empty());
    EXPECT_TRUE(unused.Panel.ControlElementName.empty());
}

TEST_F(ProjectSections, CopyRegisterGroupsRoundTrip)
{
    doc.AddressTable = {MakeGroup("D", Word16ElementType, SingleWriteMode, {{"D0", 0, 0}, {"D1", 1, 0}, {"D10", 0x10, 0}})};
    CopyRegGroup group;
    group.GroupNumber = 1;
    group.SourceStation = 2;
    group.ElementCount = 3;
    group.SourcePort = 1;
    group.SourceGroupName = "D";
    group.SourceStartElement = "D1";
    group.Targets = {{4, 0, "D10", "D"}, {5, 1, "D0", "D"}};
    doc.CopyRegGroups = {group};
    ByteWriter out;
    WriteCopyRegisterSection(out, doc);
    EXPECT_EQ(out.Data(), Bytes({1, 1, 2, 3, 1, 1, 0, 0, 2, 4, 0, 0x10, 0, 0, 5, 1, 0, 0, 0}));

    CVX50TextDoc back;
    back.AddressTable = doc.AddressTable;
    ByteReader in(out.Data());
    ReadCopyRegisterSection(in, back, in.U8());
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back.CopyRegGroups, doc.CopyRegGroups);
}

TEST_F(ProjectSections, TrailerHoldsItsThreeBytesTwice)
{
    doc.Panel.CommTime = 20;
    doc.Panel.Timeout = 300;
    ByteWriter out;
    WriteTrailerSection(out, doc);
    EXPECT_EQ(out.Data(), Bytes({20, 0x01, 0x2C, 20, 0x01, 0x2C, 0, 0, 0, 0, 0, 0, 0}));

    CVX50TextDoc back;
    back.ReadingVersion = 11;
    ByteReader in(out.Data());
    ReadTrailerSection(in, back);
    EXPECT_EQ(back.Panel.CommTime, 20);
    EXPECT_EQ(back.Panel.Timeout, 300);
}
