#include "devices/AddressTableFile.h"

#include "support/RecordingUserInterface.h"
#include "support/TableGroups.h"
#include "support/TestFiles.h"

#include "base/FileIo.h"
#include "base/GbkText.h"

#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

ElementGroup NumberedGroup(std::string name, int type, int mode, int count)
{
    ElementGroup g = MakeGroup(name, type, mode);
    for (int i = 0; i < count; ++i)
        g.elements.push_back({name + std::to_string(i), i, 0});
    return g;
}

std::vector<std::string> Lines(const std::string& file)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t crlf; (crlf = file.find("\r\n", start)) != std::string::npos; start = crlf + 2)
        lines.push_back(file.substr(start, crlf - start));
    EXPECT_EQ(start, file.size()) << "file does not end with CR LF";
    return lines;
}

int CountEntries(const std::string& line)
{
    return static_cast<int>(std::count(line.begin(), line.end(), ';'));
}

const std::string kHeader = "\xB0\xE6\xB1\xBE\xBA\xC5:1;\r\n"
                            "DLLNAME:ModBus Slave.dll;\r\nCANEDIT:1;\r\nCOMMBUFFLTH:30;\r\nHIGHFRONT:0;\r\n[ADDRESS]\r\n";

DeviceKeys ModbusKeys()
{
    return {"ModBus Slave.dll", 0, 30, 0};
}

} // namespace

TEST(AddressTableFile, EveryKindOfGroupSurvivesWriteReadWrite)
{
    const AddressTable table = {
        MakeGroup("M", BitElementType, WordBitMode, {{"M0", 0x10, 0}, {"M1", 0x10, 1}, {"M15", 0x11, 15}}),
        MakeGroup("X", BitElementType, SingleWriteMode, {{"X7", 0xABCD, 10}}),
        MakeGroup("Y", BitElementType, CoilOrMultiWriteMode, {{"Y0", 0x20, 0}, {"Y1", 0x21, 0}}),
        MakeGroup("D", Word16ElementType, SingleWriteMode, {{"D0", 0, 0}, {"D9", 0xFFFF, 0}}),
        MakeGroup("DD", Word32ElementType, CoilOrMultiWriteMode, {{"DD0", 0, 0}, {"DD2", 2, 0}}, 2),
        NumberedGroup("R", Word16ElementType, CoilOrMultiWriteMode, 101),
        MakeGroup("EMPTY", Word16ElementType, CoilOrMultiWriteMode),
        MakeGroup("", PlaceholderElementType, CoilOrMultiWriteMode),
        MakeGroup("\xBB\xAD\xC3\xE6", BitElementType, WordBitMode, {{"\xCE\xBB" "1", 3, 4}}),
    };
    const std::string written = FormatAddressTable(ModbusKeys(), "ModBus Slave", table);
    ASSERT_TRUE(written.starts_with("\xB0\xE6\xB1\xBE\xBA\xC5:1;\r\n")); // 版本号:1;

    AddressTable read = {MakeGroup("stale", 0, 0)};
    ASSERT_TRUE(ParseAddressTable(written, read));
    EXPECT_EQ(read, table);
    EXPECT_EQ(FormatAddressTable(ModbusKeys(), "ModBus Slave", read), written);
}

TEST(AddressTableFile, WritesTheExactLines)
{
    const AddressTable table = {
        MakeGroup("M", BitElementType, WordBitMode, {{"M0", 0x10, 0}, {"M1", 0x10, 1}, {"MF", 0x1A, 15}}),
        MakeGroup("Y", BitElementType, CoilOrMultiWriteMode, {{"Y0", 0x20, 5}}),
        MakeGroup("W", Word16ElementType, SingleWriteMode, {{"W0", 0x2F, 3}}),
        MakeGroup("E", Word32ElementType, CoilOrMultiWriteMode, {}, 2),
    };
    EXPECT_EQ(FormatAddressTable(ModbusKeys(), "ModBus Slave", table),
              kHeader
                  + "LIST:M;0;0;1;\r\nM0=10.0;M1=10.1;MF=1a.f;\r\nEND:\r\n"
                    "LIST:Y;0;1;1;\r\nY0=20;\r\nEND:\r\n"
                    "LIST:W;16;2;1;\r\nW0=2f;\r\nEND:\r\n"
                    "LIST:E;32;1;2;\r\n\r\nEND:\r\n");
    EXPECT_EQ(FormatAddressTable(ModbusKeys(), "ModBus Slave", {}), kHeader);
}

TEST(AddressTableFile, SplitsEntryLinesAfterEveryHundredEntries)
{
    struct Case {
        int count;
        std::vector<int> entriesPerLine; // the entry lines between LIST: and END:
    };
    const Case cases[] = {
        {0, {0}}, {1, {1}}, {100, {100}}, {101, {101, 0}}, {102, {101, 1}}, {201, {101, 100, 0}}, {250, {101, 100, 49}},
    };
    for (const auto& c : cases) {
        const auto lines = Lines(FormatAddressTable(ModbusKeys(), "X", {NumberedGroup("G", 16, 1, c.count)}));
        ASSERT_EQ(lines.size(), 6 + 1 + c.entriesPerLine.size() + 1) << c.count;
        EXPECT_EQ(lines.back(), "END:");
        for (std::size_t i = 0; i < c.entriesPerLine.size(); ++i)
            EXPECT_EQ(CountEntries(lines[7 + i]), c.entriesPerLine[i]) << c.count << " line " << i;
    }
}

TEST(AddressTableFile, CanEditFollowsTheDeviceNameNotTheKeys)
{
    DeviceKeys keys = ModbusKeys();
    keys.canEdit = 1;
    EXPECT_EQ(Lines(FormatAddressTable(keys, "PN07", {}))[2], "CANEDIT:0;");
    keys.canEdit = 0;
    EXPECT_EQ(Lines(FormatAddressTable(keys, "MyPlc", {}))[2], "CANEDIT:1;");
    EXPECT_EQ(Lines(FormatAddressTable(keys, "pn07", {}))[2], "CANEDIT:1;");
    for (const char* name : {"PN07", "QM4", "QM4ModBus", "QM4V3", "QM4V3ModBus", "CT200", "CT100", "DA14", "DB2400",
                             "DB2300", "DB2200", "SRVA001", "DA15", "DA13", "DB2100", "DA12", "DA11"})
        EXPECT_TRUE(IsBuiltInDeviceName(name)) << name;
    EXPECT_FALSE(IsBuiltInDeviceName("DB2500"));
    EXPECT_FALSE(IsBuiltInDeviceName("ModBus Slave"));
}

TEST(AddressTableFile, ReadsWhatOtherEditorsMayLeave)
{
    // An entry split over two lines, spaces around names and values, upper
    // case bits, leading white space, LF-only line ends, lines before
    // "[ADDRESS]" that look like groups, and a bit part in a mode-1 group.
    const std::string file = "LIST:EARLY;0;0;1;\r\nA=1;\r\nEND:\r\n"
                             "[ADDRESS]\n"
                             "   LIST: M ;0;2;1;\r\n"
                             "A0=1.0;  B  =\r\n"
                             "20.3;C=21.F;\r\n"
                             "\t A =  1f ;D=.A;E=;\r\n"
                             "END:\n"
                             "LIST:Y;0;1;1;\r\nY0=7.3;\r\nEND:\r\n";
    AddressTable table;
    ASSERT_TRUE(ParseAddressTable(file, table));
    const AddressTable expected = {
        MakeGroup("M", 0, 2, {{"A0", 1, 0}, {"B", 0x20, 3}, {"C", 0x21, 15}, {"A", 0x1F, 0}, {"D", 0, 10}, {"E", 0, 0}}),
        MakeGroup("Y", 0, 1, {{"Y0", 7, 3}}),
    };
    EXPECT_EQ(table, expected);
}

TEST(AddressTableFile, SecondGroupLineRenamesAnOpenBlock)
{
    AddressTable table;
    ASSERT_TRUE(ParseAddressTable("[ADDRESS]\r\nLIST:A;0;0;1;\r\nA0=1.2;\r\nLIST:B;16;1;1;\r\nB0=5;\r\nEND:\r\n", table));
    EXPECT_EQ(table, (AddressTable{MakeGroup("B", 16, 1, {{"A0", 1, 2}, {"B0", 5, 0}})}));
}

TEST(AddressTableFile, RefusesMalformedTextKeepingCompletedGroups)
{
    const std::string good = "[ADDRESS]\r\nLIST:OK;16;1;1;\r\nK0=1;\r\nEND:\r\n";
    const std::string longLine = "K0=1;" + std::string(65535 - 5, ' ');
    struct Case {
        const char* what;
        std::string tail;
    };
    const Case cases[] = {
        {"word not hexadecimal", "LIST:G;16;1;1;\r\nA=1G;\r\nEND:\r\n"},
        {"word above FFFF", "LIST:G;16;1;1;\r\nA=10000;\r\nEND:\r\n"},
        {"word of eight F digits", "LIST:G;16;1;1;\r\nA=FFFFFFFF;\r\nEND:\r\n"},
        {"word of nine digits", "LIST:G;16;1;1;\r\nA=100000000;\r\nEND:\r\n"},
        {"bit of nine digits", "LIST:G;0;0;1;\r\nA=1.10000000F;\r\nEND:\r\n"},
        {"bit not hexadecimal", "LIST:G;0;0;1;\r\nA=1.x;\r\nEND:\r\n"},
        {"bit above 15", "LIST:G;0;0;1;\r\nA=1.10;\r\nEND:\r\n"},
        {"line past the length limit", "LIST:G;16;1;1;\r\n" + longLine + "\r\nEND:\r\n"},
        {"missing END: at the end", "LIST:G;16;1;1;\r\nA=1;\r\n"},
        {"truncated inside an entry", "LIST:G;16;1;1;\r\nA=1;B=2"},
        {"truncated inside the group line", "LIST:G;16;"},
        {"group line with three fields", "LIST:G;16;1;\r\nA=1;\r\nEND:\r\n"},
        {"entry without =", "LIST:G;16;1;1;\r\nA=1;B;\r\nEND:\r\n"},
        {"empty entry", "LIST:G;16;1;1;\r\nA=1;;B=2;\r\nEND:\r\n"},
        {"entry line without ;", "LIST:G;16;1;1;\r\nA=1\r\nEND:\r\n"},
        {"text carried into END:", "LIST:G;16;1;1;\r\nA=1;B=\r\nEND:\r\n"},
        {"text carried into LIST:", "LIST:G;16;1;1;\r\nA=1;B=\r\nLIST:H;16;1;1;\r\nEND:\r\n"},
    };
    for (const auto& c : cases) {
        AddressTable table;
        EXPECT_FALSE(ParseAddressTable(good + c.tail, table)) << c.what;
        EXPECT_EQ(table, (AddressTable{MakeGroup("OK", 16, 1, {{"K0", 1, 0}})})) << c.what;
    }
    // Leading zeros do not count as digits.
    AddressTable table;
    EXPECT_TRUE(ParseAddressTable("[ADDRESS]\r\nLIST:G;0;0;1;\r\nA=000000000012.00000000F;\r\nEND:\r\n", table));
    EXPECT_EQ(table, (AddressTable{MakeGroup("G", 0, 0, {{"A", 0x12, 15}})}));
    // The longest line allowed still reads.
    EXPECT_TRUE(ParseAddressTable(good + "LIST:G;16;1;1;\r\nK0=1;" + std::string(65534 - 6, ' ') + "\r\nEND:\r\n", table));
}

TEST(AddressTableFile, FileWithoutAddressPartIsRefusedAndEmptiesTheTable)
{
    AddressTable table = {MakeGroup("OLD", 0, 0)};
    EXPECT_FALSE(ParseAddressTable("DLLNAME:a.dll;\r\nCANEDIT:1;\r\n", table));
    EXPECT_TRUE(table.empty());
    EXPECT_TRUE(ParseAddressTable(kHeader, table));
    EXPECT_TRUE(table.empty());
}

TEST(AddressTableFile, FileWrappersShowTheirMessages)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/TCommunication.add";
    RecordingUserInterface ui;
    const AddressTable table = {MakeGroup("G", 16, 2, {{"D0", 0x40, 0}})};

    AddressTable kept = {MakeGroup("KEEP", 0, 0)};
    EXPECT_FALSE(ReadAddressTableFile(path, kept));
    EXPECT_EQ(kept, (AddressTable{MakeGroup("KEEP", 0, 0)}));
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{61252});

    ASSERT_TRUE(WriteAddressTableFile(path, ModbusKeys(), "T", table));
    AddressTable read;
    ASSERT_TRUE(ReadAddressTableFile(path, read));
    EXPECT_EQ(read, table);
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{61252});

    // A missing folder is made; a file in the folder's place fails.
    EXPECT_TRUE(WriteAddressTableFile(dir.path().toStdString() + "/Device/TCommunication.add", ModbusKeys(), "T", table));
    EXPECT_FALSE(WriteAddressTableFile(path + "/TCommunication.add", ModbusKeys(), "T", table));
    EXPECT_EQ(ui.MessageIds(), (std::vector<int>{61252, 61250}));

    ASSERT_TRUE(WriteFileAtomically(path, kHeader + "LIST:G;16;1;1;\r\nA=1G;\r\nEND:\r\n"));
    EXPECT_FALSE(ReadAddressTableFile(path, read));
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(ui.MessageIds(), (std::vector<int>{61252, 61250, 61250}));
}

// A file larger than any table is refused with its message, unread.
TEST(AddressTableFile, FileLargerThanAnyTableIsRefused)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/TCommunication.add";
    ASSERT_TRUE(MakeSparseFile(path, 1ull << 30));
    RecordingUserInterface ui;
    AddressTable kept = {MakeGroup("KEEP", 0, 0)};
    EXPECT_FALSE(ReadAddressTableFile(path, kept));
    EXPECT_EQ(kept, (AddressTable{MakeGroup("KEEP", 0, 0)}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].gbkText, FileTooLargeText(path));
    DeviceKeys keys;
    EXPECT_FALSE(ReadDeviceKeysFile(path, keys).has_value());
}

// A stored address names its group in one byte, 0xFF meaning no group: a
// table of more groups would bind addresses to the wrong group.
TEST(AddressTableFile, MoreGroupsThanAByteCanNameAreRefusedNamingTheFile)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/设备Communication.add";
    RecordingUserInterface ui;
    for (const std::size_t count : {std::size_t{255}, std::size_t{256}, std::size_t{300}}) {
        AddressTable table;
        for (std::size_t g = 0; g < count; ++g)
            table.push_back(NumberedGroup("G" + std::to_string(g), Word16ElementType, WordBitMode, 1));
        ASSERT_TRUE(WriteFileAtomically(path, FormatAddressTable(ModbusKeys(), "T", table)));
        const bool fits = count <= kMaxAddressGroups;

        AddressTable read;
        EXPECT_EQ(ReadAddressTableBytes(*ReadTestFile(path), read),
                  fits ? TableReading::Sound : TableReading::TooManyGroups) << count;
        ui.messages.clear();
        EXPECT_EQ(ReadAddressTableFile(path, read), fits) << count;
        if (fits) {
            EXPECT_EQ(read, table);
            EXPECT_TRUE(ui.messages.empty());
        } else {
            EXPECT_EQ(read.size(), kMaxAddressGroups);
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].stringId, 0);
            EXPECT_EQ(Utf8FromGbk(ui.messages[0].gbkText), "地址表文件" + path + "的元件组超过255个!");
        }
    }
}

TEST(AddressTableFile, NamesTheFormatCannotCarryAreNotWritten)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/TCommunication.add";
    RecordingUserInterface ui;
    for (const auto& bad : {MakeGroup("A;B", 16, 1), MakeGroup("G", 16, 1, {{"A=B", 1, 0}}),
                            MakeGroup("G", 16, 1, {{"A;", 1, 0}}), MakeGroup("G", 16, 1, {{" A", 1, 0}}),
                            MakeGroup("G", 16, 1, {{"END:1", 1, 0}}), MakeGroup("G\r\n", 16, 1)}) {
        EXPECT_FALSE(IsWritableAddressTable({bad})) << bad.name;
        EXPECT_FALSE(WriteAddressTableFile(path, ModbusKeys(), "T", {bad}));
    }
    EXPECT_FALSE(ReadTestFile(path).has_value());
    EXPECT_TRUE(IsWritableAddressTable({MakeGroup("", PlaceholderElementType, 1), MakeGroup("G", 0, 0, {{"", 1, 0}})}));
}

// The poll plan computes its merge limit from the buffer length: a length
// from a file stays within what the device dialog accepts.
TEST(DeviceKeys, BufferLengthStaysWithinTheDialogsRange)
{
    const std::pair<const char*, int> cases[] = {
        {"536870919", 65535}, {"4294967295", 65535}, {"65536", 65535}, {"65535", 65535},
        {"8", 8}, {"7", 8}, {"0", 8}, {"-2147483648", 8}, {"30", 30},
    };
    for (const auto& [text, length] : cases) {
        DeviceKeys keys;
        ReadDeviceKeys(std::string("DLLNAME:ModBus Slave.dll;\r\nCOMMBUFFLTH:") + text + ";\r\n", keys);
        EXPECT_EQ(keys.commBuffLength, length) << text;
    }
}

TEST(DeviceKeys, KeyLinesAnywhereLaterWinsMissingKeepValue)
{
    DeviceKeys keys{"old.dll", 7, 99, 5};
    EXPECT_TRUE(ReadDeviceKeys("  DLLNAME:first.dll;\r\n[ADDRESS]\r\nCOMMBUFFLTH: 256;\r\n"
                               "\tHIGHFRONT:-1x;\r\nDLLNAME:Mod Bus.dll;junk\r\n",
                               keys));
    EXPECT_EQ(keys.dllName, "Mod Bus.dll");
    EXPECT_EQ(keys.canEdit, 7);
    EXPECT_EQ(keys.commBuffLength, 256);
    EXPECT_EQ(keys.highFront, -1);

    DeviceKeys empty;
    EXPECT_FALSE(ReadDeviceKeys("DLLNAME:no semicolon\r\nCANEDIT:abc;\r\nCOMMBUFFLTH:99999999999;\r\n", empty));
    EXPECT_EQ(empty.dllName, "");
    EXPECT_EQ(empty.canEdit, 0);
    EXPECT_EQ(empty.commBuffLength, 65535);
    EXPECT_FALSE(ReadDeviceKeys("CANEDIT:1;\r\n[ADDRESS]\r\n", empty));

    DeviceKeys untouched{"x.dll", 1, 2, 3};
    EXPECT_FALSE(ReadDeviceKeysFile("/nonexistent/folder/XCommunication.add", untouched).has_value());
    EXPECT_EQ(untouched.dllName, "x.dll");
}
