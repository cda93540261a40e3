#include "devices/AddressTableFile.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "model/CVX50TextDoc.h"
#include "base/FileIo.h"
#include "base/GbkText.h"
#include "base/ProgramPaths.h"
#include "model/projectfile/ProjectFile.h"
#include "model/projectfile/ProjectOpenFailure.h"
#include "model/projectfile/ProjectSections.h"
#include "base/ShortText.h"
#include "StringIds.h"
#include "support/FileSizeLimit.h"
#include "support/LoggedWarnings.h"
#include "support/RecordingUserInterface.h"
#include "support/TestFiles.h"
#include "support/TestPaths.h"
#include "support/TableGroups.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

AddressTable SampleTable()
{
    return {MakeGroup("M", BitElementType, WordBitMode, {{"M0", 0x10, 0}, {"M1", 0x10, 1}, {"M2", 0x10, 2}, {"M3", 0x10, 3}}),
            MakeGroup("X", BitElementType, CoilOrMultiWriteMode, {{"X0", 0, 0}, {"X1", 1, 0}}),
            MakeGroup("D", Word16ElementType, SingleWriteMode, {{"D0", 0, 0}, {"D1", 1, 0}, {"D10", 0x10, 0}}),
            MakeGroup("DW", Word32ElementType, CoilOrMultiWriteMode, {{"DW0", 0, 0}, {"DW2", 2, 0}}, 2)};
}

template <class Element>
std::shared_ptr<Element> Placed(Element* raw, int x, int y, int number)
{
    std::shared_ptr<Element> element(raw);
    element->SetPosition(x, y);
    element->SetSize(16, 16);
    element->Number = static_cast<std::uint16_t>(number);
    return element;
}

ScreenRecord Screen(int number, std::string description, int up, int down, ElementList elements)
{
    ScreenRecord s;
    s.Number = number;
    s.Description = std::move(description);
    s.UpKeyScreen = up;
    s.DownKeyScreen = down;
    s.Elements = std::move(elements);
    return s;
}

// A project with three screens (the last numbered below the second), every
// element kind and sub-kind, and every project-wide section filled.
void FillProject(CVX50TextDoc& doc, const std::string& device)
{
    doc.DeviceName = device;
    doc.ProtocolLibraryName = "ModBus Slave.dll";
    doc.TableEditable = 1;
    doc.CommBufferLength = 60;
    doc.AddressTable = SampleTable();

    auto key = Placed(new CFuncKeyElement, 0, 0, 1);
    key->SetAction(1);
    key->WordSize = 16;
    key->GroupName = "D";
    key->ElementName = "D10";
    key->TypeText = GbkFromUtf8("16位字元件");
    key->SetPasswordProtected(1);
    key->PasswordLevel = 1;
    auto lamp = Placed(new CLampElement, 20, 0, 2);
    lamp->GroupName = "M";
    lamp->ElementName = "M2";
    lamp->TypeText = GbkFromUtf8("位元件");
    auto reg = Placed(new CRegisterElement, 40, 0, 1);
    reg->GroupName = "DW";
    reg->ElementName = "DW2";
    reg->WordSize = 32;
    auto staticText = Placed(new CTextElement(0), 0, 20, 1);
    staticText->SetText(GbkFromUtf8("温度"));
    auto dynamicText = Placed(new CTextElement(1), 0, 40, 1);
    dynamicText->GroupName = "X";
    dynamicText->ElementName = "X1";
    dynamicText->WordSize = 0;
    dynamicText->AddState(GbkFromUtf8("停止"), "0");
    dynamicText->AddState("run", "1");
    auto bar = Placed(new CGraphElement(0), 60, 0, 1);
    bar->GroupName = "D";
    bar->ElementName = "D1";
    auto curve = Placed(new CGraphElement(1), 80, 0, 1);
    curve->GroupName = "D";
    curve->ElementName = "D0";
    auto picture = Placed(new CPictureElement, 100, 20, 1);
    auto lamp3 = Placed(new CLampElement, 0, 0, 1);
    lamp3->GroupName = "X";
    lamp3->ElementName = "X0";

    doc.Screens = {Screen(1, GbkFromUtf8("主画面"), 3, 7, {{KindFuncKey, key}, {KindLamp, lamp}, {KindRegister, reg}}),
                   Screen(7, "", 3, 1,
                          {{KindText, staticText}, {KindText, dynamicText}, {KindGraph, bar}, {KindGraph, curve},
                           {KindPicture, picture}}),
                   Screen(3, "three", 1, 7, {{KindLamp, lamp3}})};
    doc.Screens[1].Port = 1;
    doc.CurrentScreenNumber = 7;
    doc.WorkingElements = doc.Screens[1].Elements;

    AlarmSegment segment;
    segment.Station = "2";
    segment.Port = "0";
    segment.GroupName = "M";
    segment.StartIndex = "1";
    segment.Number = 1;
    segment.Entries = {{"M1", GbkFromUtf8("过热")}, {"M2", "low"}, {}};
    doc.AlarmSegments = {segment};
    GlobalButton button;
    button.GroupName = "X";
    button.ElementName = "X0";
    button.TypeText = GbkFromUtf8("位元件");
    button.KeyCode = 22;
    GlobalButton word = button;
    word.Function = 3 << 2;
    word.GroupName = "D";
    word.ElementName = "D1";
    word.ElementType = 16;
    word.TypeText = GbkFromUtf8("16位字元件");
    word.Step = 2;
    word.Limit = 100;
    doc.GlobalButtons = {button, word};
    doc.SelectedGlobalButton = 1;
    doc.PasswordTable = {{0, 1, "0001"}, {1, 2, "5917"}};
    doc.HighestPasswordLevel = 2;
    doc.Panel.MainScreen = 7;
    doc.Panel.ScreenSaverIndex = 3;
    doc.Panel.ShowSaverScreen = 1;
    doc.Panel.SaverScreen = 3;
    doc.Panel.AutoScreenSwitch = 1;
    doc.Panel.ControlGroupName = "D";
    doc.Panel.ControlElementName = "D0";
    doc.Com1Port.baud = 38400;
    CopyRegGroup copy;
    copy.SourceGroupName = "D";
    copy.SourceStartElement = "D0";
    copy.ElementCount = 2;
    copy.Targets = {{3, 1, "D10", "D"}};
    doc.CopyRegGroups = {copy};
    doc.Panel.CommTime = 30;
    doc.Panel.Timeout = 500;
}

class ProjectFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        SetProgramFolder(m_folder.path().toStdString());
        QDir().mkpath(QString::fromStdString(DeviceFolder()));
    }

    std::string PathOf(const std::string& name) const { return m_folder.path().toStdString() + "/" + name; }

    static void WriteTable(const CVX50TextDoc& doc)
    {
        ASSERT_TRUE(WriteAddressTableFile(DeviceTablePath(doc.DeviceName),
                                          {doc.ProtocolLibraryName, doc.TableEditable, doc.CommBufferLength,
                                           doc.HighFront},
                                          doc.DeviceName, doc.AddressTable));
    }

    // Saves a filled project and returns the file's bytes.
    std::string SavedProject(const std::string& device)
    {
        CVX50TextDoc doc;
        FillProject(doc, device);
        WriteTable(doc);
        const std::string path = PathOf("first.opf");
        EXPECT_TRUE(SaveProjectFile(doc, path, true));
        return ReadTestFile(path).value_or("");
    }

    RecordingUserInterface ui;
    QTemporaryDir m_folder;
};

// The bytes of a project of one empty screen around `screens`, as a fresh
// document's writers produce them.
std::string FileAround(std::string_view device, int screenCount, std::string_view deviceTail, std::string_view screens)
{
    CVX50TextDoc doc;
    ByteWriter out;
    WriteProjectHeader(out);
    out.U8(1);
    out.U16Le(static_cast<std::uint16_t>(screenCount));
    out.U8(3);
    WriteShortText(out, device);
    out.Bytes(deviceTail);
    out.Bytes(screens);
    WriteProjectWideSections(out, doc);
    return out.Take();
}

std::string EmptyScreenOne(int elementCount = 0)
{
    ByteWriter out;
    out.U16Be(0);
    out.U8(0);
    out.U16Le(1);
    out.U16Le(1);
    out.U16Le(1);
    out.U8(static_cast<std::uint8_t>(elementCount));
    out.U8(0);
    return out.Take();
}

} // namespace

TEST_F(ProjectFile, SaveOpenSaveGivesTheSameBytes)
{
    const std::string first = SavedProject("MYDEV");
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{61249});

    CVX50TextDoc loaded;
    bool display = true;
    ASSERT_TRUE(OpenProjectFile(loaded, PathOf("first.opf"), display));
    EXPECT_TRUE(display);
    ASSERT_EQ(loaded.Screens.size(), 3u);
    EXPECT_EQ(loaded.Screens[2].Number, 3);
    EXPECT_TRUE(std::find(ui.calls.begin(), ui.calls.end(), "RebuildProjectTree") != ui.calls.end());
    EXPECT_EQ(loaded.Screens[1].Elements.size(), 5u);
    EXPECT_EQ(loaded.CurrentScreenNumber, 7);
    EXPECT_EQ(loaded.WorkingElements.size(), 5u);
    EXPECT_EQ(loaded.AlarmBlocks.size(), 1u);
    EXPECT_EQ(loaded.TableExtended, 0);
    EXPECT_EQ(loaded.Register32Interval, 2);
    EXPECT_EQ(loaded.UndoHistory.size(), 1u);

    ASSERT_TRUE(SaveProjectFile(loaded, PathOf("second.opf"), display));
    EXPECT_EQ(ReadTestFile(PathOf("second.opf")).value_or(""), first);
}

// A file saved by an earlier build (the filled project above, with its device
// table embedded) opens on a program folder without that device and saves
// to the same bytes.
TEST_F(ProjectFile, FileSavedByAnEarlierBuildSavesToTheSameBytes)
{
    const std::optional<std::string> earlier =
        ReadTestFile(SourceDir() + "/tests/model/projectfile/fixtures/filled-v11.opf");
    ASSERT_TRUE(earlier);
    ASSERT_TRUE(WriteFileAtomically(PathOf("earlier.opf"), *earlier));

    CVX50TextDoc doc;
    bool display = true;
    ASSERT_TRUE(OpenProjectFile(doc, PathOf("earlier.opf"), display));
    ASSERT_TRUE(SaveProjectFile(doc, PathOf("again.opf"), display));
    EXPECT_EQ(ReadTestFile(PathOf("again.opf")).value_or(""), *earlier);
}

// A new project as its file keeps it: one screen "画面1" linked to itself, the
// default ports and panel settings, and the device keys of no device.
TEST_F(ProjectFile, NewProjectSavesAsItAlwaysHas)
{
    CVX50TextDoc doc;
    ASSERT_TRUE(SaveProjectFile(doc, PathOf("new.opf"), true));
    EXPECT_EQ(ReadTestFile(PathOf("new.opf")),
        ReadTestFile(SourceDir() + "/tests/model/projectfile/fixtures/new-project.opf"));
}

TEST_F(ProjectFile, HeaderAndFlagsByte)
{
    const std::string bytes = SavedProject("MYDEV");
    EXPECT_EQ(bytes.substr(0, 3), "\x02" "11");
    EXPECT_EQ(static_cast<unsigned char>(bytes[3]), 0x81); // display setting, 32-bit interval 2
    EXPECT_EQ(bytes.substr(4, 3), std::string("\x03\x00\x06", 3));

    AddressTable table = SampleTable();
    table.push_back(MakeGroup("DW1", Word32ElementType, 1));
    EXPECT_EQ(DisplayFlagsByte(false, table), 0x00); // the last 32-bit group decides
    EXPECT_EQ(DisplayFlagsByte(true, {}), 0x01);

    // A cleared display setting travels back to the canvas.
    std::string cleared = bytes;
    cleared[3] = 0x00;
    CVX50TextDoc doc;
    bool display = true;
    ASSERT_TRUE(ReadProject(doc, cleared, display));
    EXPECT_FALSE(display);
    EXPECT_EQ(doc.Register32Interval, 1);
}

// Records, for each refresh of the windows, what the open project held when
// it ran.
struct RefreshWitness : RecordingUserInterface {
    explicit RefreshWitness(const CVX50TextDoc& open) : doc(open) {}
    void DeviceLoaded() override { seen.push_back("DeviceLoaded " + doc.DeviceName); }
    void ResetAddressLists(int tool, int width) override
    {
        seen.push_back("ResetAddressLists " + std::to_string(tool) + " " + std::to_string(width) + " of "
                       + std::to_string(doc.AddressTable.size()) + " groups");
    }
    void PasswordLevelsChanged() override
    {
        seen.push_back("PasswordLevelsChanged " + std::to_string(doc.HighestPasswordLevel));
    }
    void RebuildProjectTree() override { seen.push_back("RebuildProjectTree " + std::to_string(doc.Screens.size())); }

    const CVX50TextDoc& doc;
    std::vector<std::string> seen;
};

// The windows show the open project until the project read replaces it:
// reading refreshes them afterwards, each once whatever the number of
// elements (two lamps and a key here); no element goes through its page.
TEST_F(ProjectFile, ReadingRefreshesTheWindowsOnceForTheProjectRead)
{
    const std::string saved = SavedProject("MYDEV");
    CVX50TextDoc doc;
    RefreshWitness witness(doc);
    bool display = true;
    ASSERT_TRUE(ReadProject(doc, saved, display));
    EXPECT_EQ(witness.seen, (std::vector<std::string>{"DeviceLoaded MYDEV", "ResetAddressLists 2 16 of 4 groups",
                                "PasswordLevelsChanged 2", "RebuildProjectTree 3"}));
    EXPECT_EQ(std::count(witness.calls.begin(), witness.calls.end(), "RefreshElementList 1"), 1);
}

// Without the protocol library element records keep plain numbers, no
// names; the file says so, so that a program that has just started (whose
// projects use the library) reads them as numbers too. The lamps keep their
// numbers and stay without names, nothing enters the device's table, and the
// project saves back to the same bytes.
TEST_F(ProjectFile, PlainAddressesReadBackAsNumbersInAnyRun)
{
    CVX50TextDoc doc;
    FillProject(doc, "MYDEV");
    WriteTable(doc);
    doc.UseProtocolLibrary = 0;
    ASSERT_TRUE(SaveProjectFile(doc, PathOf("plain.opf"), true));
    const std::optional<std::string> table = ReadTestFile(DeviceTablePath("MYDEV"));

    CVX50TextDoc loaded;
    ASSERT_EQ(loaded.UseProtocolLibrary, 1);
    bool display = true;
    ASSERT_TRUE(OpenProjectFile(loaded, PathOf("plain.opf"), display));
    EXPECT_EQ(loaded.UseProtocolLibrary, 0);
    EXPECT_EQ(ReadTestFile(DeviceTablePath("MYDEV")), table);
    int lamps = 0;
    for (const ScreenRecord& screen : loaded.Screens)
        for (const ElementRef& ref : screen.Elements)
            if (const auto* lamp = dynamic_cast<const CLampElement*>(ref.element.get())) {
                ++lamps;
                EXPECT_TRUE(lamp->GroupName.empty());
                EXPECT_TRUE(lamp->ElementName.empty());
            } else if (const auto* reg = dynamic_cast<const CRegisterElement*>(ref.element.get())) {
                EXPECT_TRUE(reg->GroupName.empty());
            }
    EXPECT_EQ(lamps, 2);

    ASSERT_TRUE(SaveProjectFile(loaded, PathOf("again.opf"), display));
    EXPECT_EQ(ReadTestFile(PathOf("again.opf")), ReadTestFile(PathOf("plain.opf")));

    // A file of the library's codes opened next, over the plain project, is
    // read as codes.
    doc.UseProtocolLibrary = 1;
    ASSERT_TRUE(SaveProjectFile(doc, PathOf("coded.opf"), true));
    ASSERT_TRUE(OpenProjectFile(loaded, PathOf("coded.opf"), display));
    EXPECT_EQ(loaded.UseProtocolLibrary, 1);
    EXPECT_EQ(static_cast<const CLampElement&>(*loaded.Screens[0].Elements[1].element).ElementName, "M2");
    EXPECT_EQ(ReadTestFile(DeviceTablePath("MYDEV")), table);
}

// A file refused at its end refreshes nothing (no page is bound to an
// element read from it): the open project stays.
TEST_F(ProjectFile, RefusedFileRefreshesNothing)
{
    std::string saved = SavedProject("MYDEV");
    saved.pop_back();
    CVX50TextDoc doc;
    RefreshWitness witness(doc);
    bool display = true;
    ASSERT_FALSE(ReadProject(doc, saved, display));
    EXPECT_TRUE(witness.seen.empty());
    EXPECT_EQ(witness.MessageIds(), std::vector<int>{IdsProjectDataError});
}

TEST_F(ProjectFile, UserDefinedTableIsEmbeddedAndRecreatedWhereItIsMissing)
{
    const std::string tablePath = DeviceTablePath("MYDEV");
    const std::string saved = SavedProject("MYDEV");
    const std::string table = ReadTestFile(tablePath).value_or("");
    ASSERT_FALSE(table.empty());
    EXPECT_NE(saved.find(table), std::string::npos);

    ASSERT_TRUE(QFile::remove(QString::fromStdString(tablePath)));
    CVX50TextDoc doc;
    bool display = true;
    ASSERT_TRUE(ReadProject(doc, saved, display));
    EXPECT_EQ(ReadTestFile(tablePath).value_or(""), table);
    EXPECT_EQ(doc.AddressTable.size(), 4u);
    EXPECT_EQ(doc.TableMissing, 0);
}

TEST_F(ProjectFile, AnyNonZeroCanEditIsStoredAsOneAndTheFileOpensAgain)
{
    // A device file may say "CANEDIT:2;" or "CANEDIT:256;"; the project file
    // stores the flag as one byte that the reader knows as 0 or 1.
    const std::size_t canEditOffset = 3 + 1 + 3 + 1 + std::string("MYDEV").size();
    for (const int canEdit : {2, 256, -1}) {
        CVX50TextDoc doc;
        FillProject(doc, "MYDEV");
        WriteTable(doc);
        doc.TableEditable = canEdit;
        ASSERT_TRUE(SaveProjectFile(doc, PathOf("p.opf"), true));
        const std::string saved = ReadTestFile(PathOf("p.opf")).value_or("");
        ASSERT_GT(saved.size(), canEditOffset);
        EXPECT_EQ(saved[canEditOffset], 1) << canEdit;

        CVX50TextDoc loaded;
        bool display = true;
        ASSERT_TRUE(ReadProject(loaded, saved, display)) << canEdit;
        EXPECT_EQ(loaded.Screens.size(), 3u);
        EXPECT_EQ(loaded.AddressTable.size(), 4u);
    }
}

TEST_F(ProjectFile, MissingTableFileIsEmbeddedFromTheTableInMemory)
{
    CVX50TextDoc doc;
    FillProject(doc, "NOFILE");
    ASSERT_TRUE(SaveProjectFile(doc, PathOf("p.opf"), true));
    const std::string expected = FormatAddressTable({doc.ProtocolLibraryName, 1, 60, 0}, "NOFILE", doc.AddressTable);
    EXPECT_NE(ReadTestFile(PathOf("p.opf")).value_or("").find(expected), std::string::npos);
}

TEST_F(ProjectFile, BuiltInDeviceTableIsNotWrittenBack)
{
    const std::string saved = SavedProject("PN07");
    const std::string tablePath = DeviceTablePath("PN07");
    const std::string onDisk = ReadTestFile(tablePath).value_or("");
    ASSERT_NE(saved.find(onDisk), std::string::npos); // embedded all the same

    // A newer table of the device stays as it is.
    CVX50TextDoc newer;
    FillProject(newer, "PN07");
    newer.AddressTable.push_back(MakeGroup("EXTRA", Word16ElementType, 1, {{"E0", 0, 0}}));
    WriteTable(newer);
    const std::string newerBytes = ReadTestFile(tablePath).value_or("");

    CVX50TextDoc doc;
    bool display = true;
    ASSERT_TRUE(ReadProject(doc, saved, display));
    EXPECT_EQ(ReadTestFile(tablePath).value_or(""), newerBytes);
    EXPECT_EQ(doc.AddressTable.size(), 5u);
}

TEST_F(ProjectFile, MissingTableLoadsWithTheFallbackProtocolAndEndsWithANewTable)
{
    CVX50TextDoc original;
    FillProject(original, "GONE");
    original.TableEditable = 0; // nothing embedded
    ASSERT_TRUE(SaveProjectFile(original, PathOf("p.opf"), true));
    const std::string tablePath = DeviceTablePath("GONE");
    ASSERT_FALSE(QFile::exists(QString::fromStdString(tablePath)));

    CVX50TextDoc doc;
    bool display = true;
    ASSERT_TRUE(OpenProjectFile(doc, PathOf("p.opf"), display));
    EXPECT_EQ(doc.ProtocolLibraryName, "ModBus Slave.dll");
    EXPECT_EQ(doc.TableMissing, 1);
    EXPECT_EQ(doc.TableEditable, 1);
    const std::optional<std::string> written = ReadTestFile(tablePath);
    ASSERT_TRUE(written);
    EXPECT_NE(written->find("DLLNAME:ModBus Slave.dll;"), std::string::npos);

    AddressTable reread;
    ASSERT_TRUE(ParseAddressTable(*written, reread));
    EXPECT_EQ(reread.size(), doc.AddressTable.size());
    // The alarm's bit group came back under its generated name.
    EXPECT_EQ(doc.AlarmSegments[0].GroupName, "BIT0");
    EXPECT_EQ(doc.AlarmSegments[0].Entries[0].ElementName, "B10-1");
}

TEST_F(ProjectFile, NewerVersionIsRefused)
{
    // Versions past the range of int are newer too, not wrapped round to an
    // old one (2^32 + 10 is no version 10).
    for (const std::string version : {"12", "4294967306", "99999999999999999999"}) {
        std::string bytes = FileAround("MYDEV", 1, std::string(1, '\0'), EmptyScreenOne());
        bytes.replace(0, 3, static_cast<char>(version.size()) + version);
        CVX50TextDoc doc;
        bool display = true;
        ui.messages.clear();
        EXPECT_FALSE(ReadProject(doc, bytes, display)) << version;
        EXPECT_EQ(ui.MessageIds(), std::vector<int>{61329}) << version;
        EXPECT_TRUE(doc.DeviceName.empty()) << version;
    }
}

TEST_F(ProjectFile, VersionEightElementsCarryNoNumbers)
{
    CVX50TextDoc source;
    FillProject(source, "MYDEV");
    WriteTable(source);
    ByteWriter out;
    WriteShortText(out, "8");
    out.U8(1);
    out.U16Le(1);
    out.U8(3);
    WriteShortText(out, "MYDEV"); // no CANEDIT byte before version 10
    const ElementList& elements = source.Screens[0].Elements;
    out.U16Be(0);
    out.U8(0);
    out.U16Le(1);
    out.U16Le(1);
    out.U16Le(1);
    out.U8(static_cast<std::uint8_t>(elements.size()));
    out.U8(0);
    for (const ElementRef& ref : elements) {
        ByteWriter record;
        ref.element->WriteProjectRecord(record, source);
        out.U8(static_cast<std::uint8_t>(ref.kind));
        out.Bytes(std::string_view(record.Data()).substr(0, record.Size() - 2));
    }
    source.CurrentScreenNumber = 1;
    WriteProjectWideSections(out, source);

    CVX50TextDoc doc;
    bool display = true;
    ASSERT_TRUE(ReadProject(doc, out.Data(), display)) << ::testing::PrintToString(ui.MessageIds());
    ASSERT_EQ(doc.Screens[0].Elements.size(), 3u);
    // Unnumbered elements take the lowest free number of their class once
    // loaded, and the project is to be saved with it.
    for (const ElementRef& ref : doc.Screens[0].Elements)
        EXPECT_EQ(ref.element->Number, 1);
    EXPECT_EQ(doc.ProjectModified, 1);
    EXPECT_EQ(doc.ReadingVersion, 8);
}

TEST_F(ProjectFile, TruncatedFileIsRefusedAtEveryOffset)
{
    CVX50TextDoc small;
    small.DeviceName = "SMALL";
    small.ProtocolLibraryName = "ModBus Slave.dll";
    small.AddressTable = {MakeGroup("M", BitElementType, WordBitMode, {{"M0", 1, 2}})};
    WriteTable(small);
    auto lamp = Placed(new CLampElement, 1, 1, 1);
    lamp->GroupName = "M";
    lamp->ElementName = "M0";
    auto text = Placed(new CTextElement(1), 1, 20, 1);
    text->AddState("a", "0");
    small.Screens[0].Elements = {{KindLamp, lamp}, {KindText, text}};
    small.WorkingElements = small.Screens[0].Elements;
    ASSERT_TRUE(SaveProjectFile(small, PathOf("small.opf"), true));
    const std::string bytes = ReadTestFile(PathOf("small.opf")).value_or("");
    ASSERT_FALSE(bytes.empty());

    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        RecordingUserInterface cutUi;
        CVX50TextDoc doc;
        bool display = true;
        EXPECT_FALSE(ReadProject(doc, std::string_view(bytes).substr(0, cut), display)) << "cut at " << cut;
        EXPECT_EQ(cutUi.MessageIds(), std::vector<int>{61346}) << "cut at " << cut;
        EXPECT_EQ(doc.Screens.size(), 1u);
        EXPECT_TRUE(doc.DeviceName.empty());
        EXPECT_TRUE(doc.WorkingElements.empty());
    }
}

TEST_F(ProjectFile, LayoutBreakersAreRefusedAsDamagedFiles)
{
    const std::string noTable(1, '\0');
    std::string longDescription = EmptyScreenOne();
    longDescription[0] = 0x03;
    longDescription[1] = static_cast<char>(0xE8); // 1000 bytes
    longDescription.insert(2, std::string(1000, 'x'));
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"kind byte 6", FileAround("DEV", 1, noTable, EmptyScreenOne(1) + "\x06")},
        {"text sub-kind 2", FileAround("DEV", 1, noTable, EmptyScreenOne(1) + "\x03\x02")},
        {"description of 1000 bytes", FileAround("DEV", 1, noTable, longDescription)},
        {"257 screens", FileAround("DEV", 257, noTable, EmptyScreenOne())},
        {"embedded length past the end", FileAround("DEV", 1, std::string("\x01\x00\xFF\xFF\xFF", 5), EmptyScreenOne())},
        {"device name with a slash", FileAround("../DEV", 1, noTable, EmptyScreenOne())},
        {"device name with a backslash", FileAround("a\\b", 1, noTable, EmptyScreenOne())},
        {"device name ..", FileAround("..", 1, noTable, EmptyScreenOne())},
        {"device name .", FileAround(".", 1, noTable, EmptyScreenOne())},
    };
    for (const auto& c : cases) {
        RecordingUserInterface caseUi;
        CVX50TextDoc doc;
        bool display = true;
        EXPECT_FALSE(ReadProject(doc, c.bytes, display)) << c.what;
        EXPECT_EQ(caseUi.MessageIds(), std::vector<int>{61346}) << c.what;
        EXPECT_TRUE(doc.DeviceName.empty()) << c.what;
    }
    // Nothing was written outside the Device folder.
    EXPECT_FALSE(QFile::exists(m_folder.path() + "/DEVCommunication.add"));
    EXPECT_FALSE(QFile::exists(m_folder.path() + "/Device/..Communication.add"));
}

TEST_F(ProjectFile, EditedScreenThatIsNotThereEndsTheLoad)
{
    std::string bytes = FileAround("DEV", 1, std::string(1, '\0'), EmptyScreenOne());
    // The settings record's edited screen number sits 13 + 1 + 30 - 17 bytes
    // before the end (copy count and trailer follow the record).
    const std::size_t settings = bytes.size() - 13 - 1 - 30;
    bytes[settings + 17] = 9;
    CVX50TextDoc doc;
    bool display = true;
    EXPECT_FALSE(ReadProject(doc, bytes, display));
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{61346});
    EXPECT_TRUE(doc.DeviceName.empty()); // nothing of the file stays
}

TEST_F(ProjectFile, FileRefusedInItsLastSectionLeavesTheOpenProjectAsItWas)
{
    CVX50TextDoc doc;
    FillProject(doc, "MYDEV");
    WriteTable(doc);
    ASSERT_TRUE(SaveProjectFile(doc, PathOf("open.opf"), true));
    const std::string openBytes = ReadTestFile(PathOf("open.opf")).value_or("");
    const ElementRef edited = doc.WorkingElements.at(0);
    const std::size_t undoSteps = doc.UndoHistory.size();

    // Another device's project with a table of its own embedded, its display
    // setting cleared and its trailer cut short.
    CVX50TextDoc other;
    FillProject(other, "OTHER");
    other.Screens.pop_back();
    WriteTable(other);
    const std::string otherTable = ReadTestFile(DeviceTablePath("OTHER")).value_or("");
    ASSERT_TRUE(SaveProjectFile(other, PathOf("other.opf"), false));
    std::string damaged = ReadTestFile(PathOf("other.opf")).value_or("");
    damaged.pop_back();
    ASSERT_TRUE(WriteFileAtomically(DeviceTablePath("OTHER"), "kept"));
    ui.messages.clear();

    const QStringList warnings = WarningsLoggedBy([&] {
        bool display = true;
        EXPECT_FALSE(ReadProject(doc, damaged, display));
        EXPECT_TRUE(display);
    });
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{IdsProjectDataError});
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].startsWith("Project file refused: ")) << warnings[0].toStdString();
    EXPECT_EQ(ReadTestFile(DeviceTablePath("OTHER")).value_or(""), "kept");

    EXPECT_EQ(doc.DeviceName, "MYDEV");
    EXPECT_EQ(doc.WorkingElements.at(0).element, edited.element);
    EXPECT_EQ(doc.UndoHistory.size(), undoSteps);
    ASSERT_TRUE(SaveProjectFile(doc, PathOf("again.opf"), true));
    EXPECT_EQ(ReadTestFile(PathOf("again.opf")).value_or(""), openBytes);

    // The whole file is taken, its table written too.
    CVX50TextDoc fresh;
    bool display = true;
    ASSERT_TRUE(ReadProject(fresh, ReadTestFile(PathOf("other.opf")).value_or(""), display));
    EXPECT_FALSE(display);
    EXPECT_EQ(fresh.DeviceName, "OTHER");
    EXPECT_EQ(fresh.Screens.size(), 2u);
    EXPECT_EQ(ReadTestFile(DeviceTablePath("OTHER")).value_or(""), otherTable);
}

// The lamp on the table's last group: with 255 groups it opens bound to it;
// with 256 its group index would be the byte that means no group, so the
// project is refused rather than opened with the lamp rebound.
TEST_F(ProjectFile, DeviceTableOfMoreGroupsThanAByteNamesRefusesTheProject)
{
    for (const std::size_t groups : {std::size_t{255}, std::size_t{256}}) {
        CVX50TextDoc doc;
        FillProject(doc, "MYDEV");
        while (doc.AddressTable.size() < groups) {
            const std::string name = "B" + std::to_string(doc.AddressTable.size());
            doc.AddressTable.push_back(MakeGroup(name, BitElementType, WordBitMode, {{name + "C", 0x20, 3}}));
        }
        auto& lamp = static_cast<CLampElement&>(*doc.Screens[0].Elements[1].element);
        lamp.GroupName = doc.AddressTable.back().name;
        lamp.ElementName = doc.AddressTable.back().elements[0].name;
        WriteTable(doc);
        ASSERT_TRUE(SaveProjectFile(doc, PathOf("p.opf"), true));
        ui.messages.clear();

        CVX50TextDoc loaded;
        bool display = true;
        const bool opened = OpenProjectFile(loaded, PathOf("p.opf"), display);
        if (groups <= kMaxAddressGroups) {
            ASSERT_TRUE(opened);
            const auto& read = static_cast<const CLampElement&>(*loaded.Screens[0].Elements[1].element);
            EXPECT_EQ(read.GroupName, lamp.GroupName);
            EXPECT_EQ(read.ElementName, lamp.ElementName);
        } else {
            EXPECT_FALSE(opened);
            EXPECT_EQ(ui.MessageIds(), (std::vector<int>{0, IdsNoDeviceOrBadTable}));
            EXPECT_NE(ui.messages[0].gbkText.find(DeviceTablePath("MYDEV")), std::string::npos);
            EXPECT_EQ(loaded.DeviceName, "");
        }
    }
}

TEST_F(ProjectFile, ScreenOfMoreThan255ElementsIsNotSaved)
{
    const std::string path = PathOf("keep.opf");
    ASSERT_TRUE(WriteFileAtomically(path, "old"));
    CVX50TextDoc doc;
    for (int i = 0; i < 256; ++i)
        doc.WorkingElements.push_back({KindLamp, Placed(new CLampElement, 0, 0, i + 1)});
    EXPECT_FALSE(SaveProjectFile(doc, path, true));
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{61500});
    EXPECT_EQ(ReadTestFile(path).value_or(""), "old");

    doc.WorkingElements.pop_back();
    EXPECT_TRUE(SaveProjectFile(doc, path, true));
}

TEST_F(ProjectFile, FailedWriteIsReportedAndNotASuccess)
{
    CVX50TextDoc doc;
    EXPECT_FALSE(SaveProjectFile(doc, PathOf("no/such/folder/p.opf"), true));
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{61226});
}

TEST_F(ProjectFile, UnreadableFileIsReportedAndLeavesTheFreshProject)
{
    CVX50TextDoc doc;
    bool display = true;
    const QStringList warnings =
        WarningsLoggedBy([&] { EXPECT_FALSE(OpenProjectFile(doc, PathOf("absent.opf"), display)); });
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].gbkText, ProjectOpenFailureText(PathOf("absent.opf"), ProjectOpenFailure::Missing));
    const std::string logged = "Project file " + PathOf("absent.opf") + " cannot be read";
    EXPECT_EQ(warnings, QStringList{QString::fromStdString(logged)});
    EXPECT_EQ(doc.Screens.size(), 1u);
}

// A save onto a full disk (here: past a file-size limit) reports the failure
// instead of "保存工程完成!" and keeps the project saved before.
TEST_F(ProjectFile, SaveOntoAFullDiskIsReportedAndKeepsTheOldFile)
{
    ExpectInFileSizeLimitedChild([this]() -> std::string {
        const std::string path = PathOf("p.opf");
        CVX50TextDoc doc;
        FillProject(doc, "MYDEV");
        WriteTable(doc);
        if (!SaveProjectFile(doc, path, true))
            return "the first save failed";
        const std::string saved = ReadTestFile(path).value_or("");
        ui.messages.clear();
        if (!LimitFileSize(saved.size() / 2))
            return "the file size cannot be limited";
        doc.Screens[0].Description = "changed";
        std::string failure;
        if (SaveProjectFile(doc, path, true))
            failure += "the save reported success; ";
        if (ui.MessageIds() != std::vector<int>{IdsSaveOrOpenFailed})
            failure += "the save did not show 61226 alone; ";
        if (ReadTestFile(path) != saved)
            failure += "the old file was changed; ";
        return failure;
    });
}

// Opening a project whose device's table file cannot be written (here the
// Device folder is a file) opens the project and says the table was not kept.
TEST_F(ProjectFile, EmbeddedTableThatCannotBeWrittenIsReportedAndTheProjectOpens)
{
    const std::string saved = SavedProject("MYDEV");
    ASSERT_TRUE(QDir(QString::fromStdString(DeviceFolder())).removeRecursively());
    ASSERT_TRUE(WriteFileAtomically(DeviceFolder().substr(0, DeviceFolder().size() - 1), "not a folder"));
    ui.messages.clear();

    CVX50TextDoc doc;
    bool display = true;
    EXPECT_TRUE(ReadProject(doc, saved, display));
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{IdsSaveAddressTableFailed});
    EXPECT_EQ(doc.DeviceName, "MYDEV");
    EXPECT_EQ(doc.AddressTable.size(), 4u);
}

// A program folder without a Device folder gets one when a project's
// embedded table or its extended table is written.
TEST_F(ProjectFile, TableFilesAreWrittenIntoAProgramFolderWithoutDeviceFolder)
{
    const std::string saved = SavedProject("MYDEV");
    const std::string table = ReadTestFile(DeviceTablePath("MYDEV")).value_or("");
    CVX50TextDoc gone;
    FillProject(gone, "GONE");
    gone.TableEditable = 0; // nothing embedded: the table is made from the stored addresses
    ASSERT_TRUE(SaveProjectFile(gone, PathOf("gone.opf"), true));
    ASSERT_TRUE(QDir(QString::fromStdString(DeviceFolder())).removeRecursively());
    ui.messages.clear();

    CVX50TextDoc doc;
    bool display = true;
    EXPECT_TRUE(ReadProject(doc, saved, display));
    EXPECT_EQ(ReadTestFile(DeviceTablePath("MYDEV")).value_or(""), table);
    ASSERT_TRUE(QDir(QString::fromStdString(DeviceFolder())).removeRecursively());
    CVX50TextDoc extended;
    EXPECT_TRUE(OpenProjectFile(extended, PathOf("gone.opf"), display));
    EXPECT_TRUE(ReadTestFile(DeviceTablePath("GONE")).has_value());
    EXPECT_TRUE(ui.messages.empty());
}

// A project file larger than any project can be, and a FIFO in its place,
// are refused at once with their messages; nothing is read.
TEST_F(ProjectFile, FileThatIsNoProjectFileIsRefusedWithoutReadingIt)
{
    const std::string large = PathOf("large.opf");
    ASSERT_TRUE(MakeSparseFile(large, 8ull << 30));
    CVX50TextDoc doc;
    bool display = true;
    EXPECT_FALSE(OpenProjectFile(doc, large, display));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].gbkText, FileTooLargeText(large));

    ui.messages.clear();
    const std::string fifo = PathOf("fifo.opf");
    ASSERT_TRUE(MakeFifo(fifo));
    EXPECT_FALSE(OpenProjectFile(doc, fifo, display));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].gbkText, ProjectOpenFailureText(fifo, ProjectOpenFailure::NotAFile));
    EXPECT_EQ(doc.Screens.size(), 1u);
}
