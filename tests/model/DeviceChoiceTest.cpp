#include "StringIds.h"
#include "base/FileIo.h"
#include "base/ProgramPaths.h"
#include "devices/AddressTableFile.h"
#include "devices/PresetTextFile.h"
#include "model/CVX50TextDoc.h"
#include "model/DeviceChoice.h"
#include "model/NewDevice.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"
#include "support/RecordingUserInterface.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

namespace {

std::string DeviceFileText(const std::string& dll, const std::string& canEdit, const std::string& group)
{
    return "DLLNAME:" + dll + ";\r\n" + canEdit + "COMMBUFFLTH:64;\r\nHIGHFRONT:1;\r\n[ADDRESS]\r\nLIST:" + group
        + ";0;1;1;\r\n" + group + "0=0;" + group + "1=1;\r\nEND:\r\nLIST:D;16;1;1;\r\nD0=0;\r\nEND:\r\n";
}

// A program folder with devices "Dev1" (the project's), "Dev2", "PN07" and
// "DB2200", and a project bound to Dev1 with two screens of bound elements
// at station 3 and one record of every address-bound list.
class DeviceChoiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousFolder = ProgramFolder();
        SetProgramFolder(m_folder.path().toStdString() + "/");
        QDir(m_folder.path()).mkpath("Device");
        WriteDevice("Dev1", DeviceFileText("One.dll", "CANEDIT:1;\r\n", "M"));
        WriteDevice("Dev2", DeviceFileText("Two.dll", "CANEDIT:1;\r\n", "X"));
        WriteDevice("PN07", DeviceFileText("Pn.dll", "CANEDIT:1;\r\n", "X"));
        WriteDevice("DB2200", DeviceFileText("Db.dll", "CANEDIT:1;\r\n", "X"));
        ASSERT_TRUE(WritePresetTextFile(PresetTextPath("Dev1"), {PresetText{}}));

        doc.DeviceName = "Dev1";
        doc.ProtocolLibraryName = "One.dll";
        ASSERT_TRUE(doc.ReadAddressTable(DeviceTablePath("Dev1")));
        doc.PresetTexts = {PresetText{}};
        doc.PresetRegisters = {PresetRegister{}};
        for (int screen = 0; screen < 2; ++screen) {
            auto lamp = std::make_shared<CLampElement>();
            lamp->GroupName = "M";
            lamp->ElementName = "M1";
            lamp->SetStation(3);
            auto reg = std::make_shared<CRegisterElement>();
            reg->GroupName = "D";
            reg->ElementName = "D0";
            reg->SetStation(3);
            lamps.push_back(lamp);
            registers.push_back(reg);
            if (screen == 1) {
                doc.Screens.push_back({});
                doc.Screens.back().Number = 2;
            }
            doc.Screens.back().Elements = {{KindLamp, lamp}, {KindRegister, reg}};
        }
        doc.WorkingElements = doc.Screens.front().Elements;
        doc.Screens[1].Port = 1; // a screen whose port differs from the default
        doc.AlarmSegments = {AlarmSegment{"3", "1", "M", "0", 1, {}}};
        doc.AlarmBlocks = {AlarmBlock{}};
        doc.AlarmBlocks[0].Station = 3;
        doc.AlarmBlocks[0].Port = 1;
        doc.GlobalButtons = {GlobalButton{}};
        doc.GlobalButtons[0].Station = 3;
        doc.GlobalButtons[0].Port = 1;
        doc.CopyRegGroups = {CopyRegGroup{}};
        doc.PasswordTable = {PasswordEntry{}};
        doc.HighestPasswordLevel = 1;
        doc.Panel.AutoScreenSwitch = 1;
        doc.Panel.ReportScreen = 1;
        doc.Panel.ClearAfterSwitch = 1;
        doc.Panel.PanelStation = 3;
        doc.SelectedGlobalButton = 0;
        choice.name = "Dev1";
        choice.rs485 = doc.Rs485Port;
        choice.com1 = doc.Com1Port;
        choice.defaultPort = doc.DefaultPort;
        choice.defaultStation = doc.DefaultStation;
    }
    void TearDown() override { SetProgramFolder(m_previousFolder); }

    static void WriteDevice(const std::string& name, const std::string& text)
    {
        ASSERT_TRUE(WriteFileAtomically(DeviceTablePath(name), text));
    }
    bool Apply(bool editing = true) { return ApplyDeviceChoice(doc, choice, "Dev1", editing); }
    std::vector<int> Stations() const
    {
        std::vector<int> stations;
        for (std::size_t i = 0; i < lamps.size(); ++i) {
            stations.push_back(lamps[i]->GetStation());
            stations.push_back(registers[i]->GetStation());
        }
        return stations;
    }
    std::vector<int> ScreenPorts() const
    {
        std::vector<int> ports;
        for (const ScreenRecord& s : doc.Screens)
            ports.push_back(s.Port);
        return ports;
    }
    std::vector<std::string> BoundGroups() const
    {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < lamps.size(); ++i) {
            names.push_back(lamps[i]->GroupName + "/" + lamps[i]->ElementName);
            names.push_back(registers[i]->GroupName + "/" + registers[i]->ElementName);
        }
        return names;
    }

    RecordingUserInterface ui;
    CVX50TextDoc doc;
    DeviceChoice choice;
    std::vector<std::shared_ptr<CLampElement>> lamps;
    std::vector<std::shared_ptr<CRegisterElement>> registers;

private:
    QTemporaryDir m_folder;
    std::string m_previousFolder;
};

} // namespace

TEST_F(DeviceChoiceTest, DefaultStationRewritesEveryStationAndNoPort)
{
    choice.defaultStation = 5;
    ASSERT_TRUE(Apply());
    EXPECT_EQ(Stations(), (std::vector<int>{5, 5, 5, 5}));
    EXPECT_EQ(doc.DefaultStation, 5);
    EXPECT_EQ(doc.Panel.PanelStation, 5);
    EXPECT_EQ(doc.AlarmSegments[0].Station, "5");
    EXPECT_EQ(doc.AlarmBlocks[0].Station, 5);
    EXPECT_EQ(doc.GlobalButtons[0].Station, 5);
    EXPECT_EQ(ScreenPorts(), (std::vector<int>{0, 1}));
    EXPECT_EQ(doc.AlarmSegments[0].Port, "1");
    EXPECT_EQ(doc.AlarmBlocks[0].Port, 1);
    EXPECT_EQ(doc.GlobalButtons[0].Port, 1);
    EXPECT_EQ(doc.ProjectModified, 0);
}

TEST_F(DeviceChoiceTest, DefaultPortRewritesEveryPortAndNoStation)
{
    choice.defaultPort = 1;
    ASSERT_TRUE(Apply());
    EXPECT_EQ(doc.DefaultPort, 1);
    EXPECT_EQ(ScreenPorts(), (std::vector<int>{1, 1}));
    EXPECT_EQ(doc.AlarmSegments[0].Port, "1");
    EXPECT_EQ(doc.GlobalButtons[0].Port, 1);
    EXPECT_EQ(Stations(), (std::vector<int>{3, 3, 3, 3}));
    EXPECT_EQ(doc.AlarmSegments[0].Station, "3");
    EXPECT_EQ(doc.GlobalButtons[0].Station, 3);

    // Back to RS485: the screen that was on COM1 before follows too.
    doc.AlarmBlocks[0].Port = 1;
    choice.defaultPort = 0;
    ASSERT_TRUE(Apply());
    EXPECT_EQ(ScreenPorts(), (std::vector<int>{0, 0}));
    EXPECT_EQ(doc.AlarmBlocks[0].Port, 0);
    EXPECT_EQ(doc.AlarmSegments[0].Port, "0");
}

TEST_F(DeviceChoiceTest, OnlyValidPortValuesAreTaken)
{
    choice.rs485 = {57601, 2, 7, 2}; // a baud the parameter dialog does not offer
    choice.com1 = {4799, 3, 9, 0};
    choice.defaultPort = 2;
    choice.defaultStation = 0;
    ASSERT_TRUE(Apply());
    EXPECT_EQ(doc.Rs485Port, (PortSettings{57601, 2, 7, 2}));
    EXPECT_EQ(doc.Com1Port, PortSettings{});
    EXPECT_EQ(doc.DefaultPort, 0);
    EXPECT_EQ(doc.DefaultStation, 1);
    EXPECT_EQ(Stations(), (std::vector<int>{3, 3, 3, 3}));
}

TEST_F(DeviceChoiceTest, TheSameDeviceAgainResetsNothing)
{
    ASSERT_TRUE(Apply());
    EXPECT_EQ(BoundGroups(), (std::vector<std::string>{"M/M1", "D/D0", "M/M1", "D/D0"}));
    EXPECT_EQ(doc.AlarmSegments.size(), 1u);
    EXPECT_EQ(doc.AlarmBlocks.size(), 1u);
    EXPECT_EQ(doc.GlobalButtons.size(), 1u);
    EXPECT_EQ(doc.CopyRegGroups.size(), 1u);
    EXPECT_EQ(doc.PasswordTable.size(), 1u);
    EXPECT_EQ(doc.Panel.AutoScreenSwitch, 1);
    // The preset register file is missing: the same device keeps its list.
    EXPECT_EQ(doc.PresetRegisters.size(), 1u);
    EXPECT_TRUE(ui.Called("DeviceLoaded"));
}

TEST_F(DeviceChoiceTest, AnotherDeviceEmptiesAddressBoundListsAndRebindsEveryElement)
{
    choice.name = "Dev2";
    ASSERT_TRUE(Apply());
    EXPECT_EQ(doc.DeviceName, "Dev2");
    EXPECT_EQ(doc.ProtocolLibraryName, "Two.dll");
    EXPECT_EQ(doc.CommBufferLength, 64);
    EXPECT_EQ(doc.HighFront, 1);
    ASSERT_EQ(doc.AddressTable.size(), 2u);
    EXPECT_EQ(doc.AddressTable[0].name, "X");
    EXPECT_TRUE(doc.AlarmSegments.empty());
    EXPECT_TRUE(doc.AlarmBlocks.empty());
    EXPECT_TRUE(doc.GlobalButtons.empty());
    EXPECT_TRUE(doc.CopyRegGroups.empty());
    EXPECT_TRUE(doc.PasswordTable.empty());
    EXPECT_EQ(doc.HighestPasswordLevel, 0);
    EXPECT_EQ(doc.Panel.AutoScreenSwitch, 0);
    EXPECT_EQ(doc.Panel.ReportScreen, 0);
    EXPECT_EQ(doc.Panel.ClearAfterSwitch, 0);
    // Every element of both screens lost its old binding.
    EXPECT_EQ(BoundGroups(), (std::vector<std::string>{"/", "/", "/", "/"}));
    EXPECT_EQ(doc.DeviceChange, 0);
    EXPECT_TRUE(ui.Called("ElementAddressesRebound"));
    // Dev2 has no preset files: the previous device's presets are gone.
    EXPECT_TRUE(doc.PresetTexts.empty());
    EXPECT_TRUE(doc.PresetRegisters.empty());
    EXPECT_EQ(doc.ProjectModified, 0);
}

TEST_F(DeviceChoiceTest, WithoutAnEditedProjectAnotherDeviceResetsNothing)
{
    choice.name = "Dev2";
    ASSERT_TRUE(Apply(false));
    EXPECT_EQ(doc.DeviceName, "Dev2");
    EXPECT_EQ(doc.GlobalButtons.size(), 1u);
    EXPECT_EQ(BoundGroups()[0], "M/M1");
}

TEST_F(DeviceChoiceTest, PresetFilesOfTheChosenDeviceReplaceTheLists)
{
    doc.PresetTexts.clear();
    ASSERT_TRUE(Apply());
    EXPECT_EQ(doc.PresetTexts.size(), 1u);
}

TEST_F(DeviceChoiceTest, CanEditIsForcedToZeroOnlyForTheSelectionsBuiltInNames)
{
    choice.name = "PN07";
    ASSERT_TRUE(Apply());
    EXPECT_EQ(doc.TableEditable, 0);
    choice.name = "DB2200";
    ASSERT_TRUE(Apply());
    EXPECT_EQ(doc.TableEditable, 1);
}

TEST_F(DeviceChoiceTest, AFailedChoiceChangesNothing)
{
    WriteDevice("NoDll", "CANEDIT:0;\r\n[ADDRESS]\r\n");
    WriteDevice("BadTable", "DLLNAME:Bad.dll;\r\nCANEDIT:0;\r\nCOMMBUFFLTH:9;\r\n[ADDRESS]\r\nLIST:M;0;1;1;\r\n");
    for (const char* name : {"Missing", "NoDll", "BadTable", "", "../Dev2"}) {
        SCOPED_TRACE(name);
        ui.messages.clear();
        choice.name = name;
        choice.defaultStation = 5;
        const auto table = doc.AddressTable;
        EXPECT_FALSE(Apply());
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().stringId, IdsNoDeviceOrBadTable);
        EXPECT_EQ(doc.DeviceName, "Dev1");
        EXPECT_EQ(doc.ProtocolLibraryName, "One.dll");
        EXPECT_EQ(doc.CommBufferLength, 30);
        EXPECT_EQ(doc.AddressTable, table);
        EXPECT_EQ(doc.DefaultStation, 1);
        EXPECT_EQ(doc.GlobalButtons.size(), 1u);
    }
}

TEST_F(DeviceChoiceTest, RestoringTheCapturedStateBringsBackAllFiveKeysAndTheTable)
{
    const DeviceState before = CaptureDeviceState(doc);
    NewDeviceEntry entry{"TestDev", "ModBus Slave", 512, 1};
    ASSERT_EQ(CreateNewDevice(doc, entry), 0);
    EXPECT_EQ(doc.DeviceName, "TestDev");
    RestoreDeviceState(doc, before);
    EXPECT_EQ(doc.DeviceName, "Dev1");
    EXPECT_EQ(doc.ProtocolLibraryName, "One.dll");
    EXPECT_EQ(doc.TableEditable, 1);
    EXPECT_EQ(doc.CommBufferLength, 30);
    EXPECT_EQ(doc.HighFront, 0);
    EXPECT_EQ(doc.AddressTable.size(), 2u);
}

TEST_F(DeviceChoiceTest, NewDeviceNamesAndBufferLengthsAreChecked)
{
    doc.DeviceNames = {"Dev1", "Dev2"};
    struct Case {
        const char* name;
        const char* protocol;
        long long buffer;
        int refusal;
    };
    const Case cases[] = {
        {"", "P", 30, IdsDeviceNameEmpty},
        {"   ", "P", 30, IdsDeviceNameEmpty},
        {"a/b", "P", 30, IdsDeviceNameBadCharacters},
        {"a\"b", "P", 30, IdsDeviceNameBadCharacters},
        {"Dev2", "P", 30, IdsDeviceExists},
        {"PN07", "P", 30, IdsDeviceExists}, // not listed, but its file exists
        {"New", "", 30, IdsNoProtocolChosen},
        {"New", "P", 7, IdsBufferLengthRange},
        {"New", "P", 65536, IdsBufferLengthRange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        EXPECT_EQ(CreateNewDevice(doc, {c.name, c.protocol, c.buffer, 0}), c.refusal);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].stringId, c.refusal);
        EXPECT_EQ(doc.DeviceName, "Dev1");
        EXPECT_EQ(doc.AddressTable.size(), 2u);
    }

    EXPECT_EQ(CreateNewDevice(doc, {" a ", "P", 8, 1}), 0);
    EXPECT_EQ(doc.DeviceName, "a");
    EXPECT_EQ(doc.ProtocolLibraryName, "P.dll");
    EXPECT_EQ(doc.CommBufferLength, 8);
    EXPECT_EQ(doc.HighFront, 1);
    EXPECT_TRUE(doc.AddressTable.empty());
    EXPECT_EQ(doc.DeviceNames.back(), "a");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(DeviceTablePath("a"))));
    EXPECT_EQ(CreateNewDevice(doc, {"dev2", "P", 65535, 0}), 0); // other case: another device
    DeviceKeys keys;
    ASSERT_EQ(ReadDeviceKeysFile(DeviceTablePath("dev2"), keys), std::optional<bool>(true));
    EXPECT_EQ(keys.dllName, "P.dll");
    EXPECT_EQ(keys.canEdit, 1);
    EXPECT_EQ(keys.commBuffLength, 65535);
}

TEST_F(DeviceChoiceTest, ANewDeviceWhoseFileCannotBeWrittenLeavesTheProject)
{
    QDir(QString::fromStdString(DeviceFolder())).removeRecursively();
    // A file where the device folder should be: nothing can be written below it.
    ASSERT_TRUE(WriteFileAtomically(DeviceFolder().substr(0, DeviceFolder().size() - 1), "x"));
    EXPECT_EQ(CreateNewDevice(doc, {"New", "P", 30, 0}), IdsSaveAddressTableFailed);
    EXPECT_EQ(doc.DeviceName, "Dev1");
    EXPECT_EQ(doc.ProtocolLibraryName, "One.dll");
    EXPECT_EQ(doc.AddressTable.size(), 2u);
    EXPECT_TRUE(doc.DeviceNames.empty());
}

namespace {

// Each screen's number and its elements' address names and positions.
std::string DescribeScreens(const CVX50TextDoc& doc)
{
    std::string text;
    for (const ScreenRecord& screen : doc.Screens) {
        text += std::to_string(screen.Number) + ":";
        for (const ElementRef& ref : screen.Elements) {
            const auto* lamp = dynamic_cast<const CLampElement*>(ref.element.get());
            const auto* reg = dynamic_cast<const CRegisterElement*>(ref.element.get());
            text += " " + (lamp ? lamp->GroupName + "/" + lamp->ElementName : "")
                + (reg ? reg->GroupName + "/" + reg->ElementName : "") + "@"
                + std::to_string(ref.element->GetPosition().x);
        }
        text += "\n";
    }
    return text;
}

} // namespace

// Param: which change of the device or its table (see the test), and whether
// the project is as opened (0) or after an undo and a redo (1).
class DeviceChoiceUndoTest : public DeviceChoiceTest,
                             public ::testing::WithParamInterface<std::tuple<int, int>> {};

// A device or address table replaced under the screens leaves the history
// sound: the next snapshot, undo and redo restore the screens as they were
// recorded (builds with assertions check that no screen tied to the history
// changed unprepared, which a replaced table must not be taken for).
TEST_P(DeviceChoiceUndoTest, ATableReplacedUnderTheScreensKeepsUndoAndRedo)
{
    const std::function<void()> changes[] = {
        [this] { // the same device, its file's table changed
            WriteDevice("Dev1", "DLLNAME:One.dll;\r\nCANEDIT:1;\r\n[ADDRESS]\r\nLIST:D;16;1;1;\r\nD0=7;\r\nEND:\r\n"
                                "LIST:M;0;1;1;\r\nM0=4;M1=5;\r\nEND:\r\n");
            ASSERT_TRUE(Apply());
        },
        [this] { // another device: the elements are rebound
            choice.name = "Dev2";
            ASSERT_TRUE(Apply());
        },
        [this] { // another device before the project is edited
            choice.name = "Dev2";
            ASSERT_TRUE(Apply(false));
        },
        [this] { // the address-table editor's OK: a group inserted in front, an address changed
            AddressTable edited = doc.AddressTable;
            edited.insert(edited.begin(), edited.back());
            edited.front().name = "W";
            edited[1].elements.back().wordAddress = 9;
            doc.AddressTable = edited;
        },
    };
    const auto [change, afterUndo] = GetParam();
    doc.ResetUndoHistory(); // as opened
    doc.WorkingElements[0].element->SetPosition(30, 0);
    doc.PushUndoSnapshot();
    if (afterUndo) {
        doc.OnEditUndo();
        doc.OnEditRedo();
    }

    const std::string before = DescribeScreens(doc);
    changes[change]();
    const std::string changed = DescribeScreens(doc);
    doc.PushUndoSnapshot(); // the snapshot the next edit takes
    doc.WorkingElements[1].element->SetPosition(40, 0);
    doc.PushUndoSnapshot();
    const std::string edited = DescribeScreens(doc);
    doc.OnEditUndo();
    EXPECT_EQ(DescribeScreens(doc), changed);
    doc.OnEditUndo();
    EXPECT_EQ(DescribeScreens(doc), before);
    doc.OnEditRedo();
    doc.OnEditRedo();
    EXPECT_EQ(DescribeScreens(doc), edited);
}
INSTANTIATE_TEST_SUITE_P(Changes, DeviceChoiceUndoTest,
                         ::testing::Combine(::testing::Range(0, 4), ::testing::Values(0, 1)));
