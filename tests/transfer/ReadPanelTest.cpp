// The read command against the panel emulated on a pseudo-terminal: the
// round trip (a project written to the panel, read back into a fresh
// document and built again gives the same image), the lock, and the way out
// of every failure, damaged images among them.

#include "base/FileIo.h"
#include "base/ProgramPaths.h"
#include "devices/AddressTableFile.h"
#include "devices/PresetTextFile.h"
#include "emulator/PanelEmulator.h"
#include "model/ProjectReset.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "model/projectfile/ProjectFile.h"
#include "support/FixtureProject.h"
#include "support/TableGroups.h"
#include "support/RecordingUserInterface.h"
#include "support/TestFiles.h"
#include "transfer/PanelFrames.h"
#include "transfer/ReadPanelCommand.h"
#include "transfer/WritePanelCommand.h"
#include "transfer/image/ImageFixture.h"
#include "transfer/image/ImageLayout.h"
#include "transfer/image/ImageRebuild.h"
#include "support/PanelImageOf.h"
#include "support/PanelImageWalker.h"

#include <QString>

#include <filesystem>
#include <memory>

#include <unistd.h>

using namespace image_test;
using ::testing::ElementsAre;
using Fault = PanelEmulator::Fault;

namespace {

// A program folder whose Device folder holds the fixture device's file and
// whose Protocol folder is the build's.
std::string ReadProgramFolder()
{
    static const std::string folder = [] {
        const std::string protocols = ProtocolFolder();
        // One folder a process: the tests of this file run side by side.
        const std::string path = ::testing::TempDir() + "read-program-" + std::to_string(::getpid()) + "/";
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path + "Device");
        std::filesystem::create_symlink(protocols, path + "Protocol");
        return path;
    }();
    SetProgramFolder(folder);
    DeviceKeys keys;
    keys.dllName = "ModBus Slave.dll";
    keys.commBuffLength = 30;
    WriteFileAtomically(DeviceTablePath("PN07"), FormatAddressTable(keys, "PN07", FixtureAddressTable()));
    return folder;
}

// A screen `number` linked to `up` and `down`, with a key that jumps to
// `target` and a text of double-byte characters.
ScreenRecord GapScreen(int number, int up, int down, int target)
{
    ScreenRecord screen;
    screen.Number = number;
    screen.UpKeyScreen = up;
    screen.DownKeyScreen = down;
    screen.Description = "Gap " + kA + std::to_string(number);
    auto key = std::make_shared<CFuncKeyElement>();
    key->SetAction(CFuncKeyElement::ScreenJump);
    key->TargetScreen = target;
    screen.Elements.push_back({key->Kind(), key});
    auto text = std::make_shared<CTextElement>(0);
    text->SetText(kA + kA + kA);
    text->SetPosition(40, 20);
    screen.Elements.push_back({text->Kind(), text});
    return screen;
}

// The fixture with screens 3 and 300 beside 1, 2 and 5, without what an
// image cannot carry: a register of station 0 keeps its element only in its
// write command, so the fixture's one is settable; without the library
// registers and global buttons keep only their group, so the fixture's are
// unbound there. (Such elements come back unbound:
// AddressesTheTableLacksComeBackUnnamed.)
void FillGappedFixture(CVX50TextDoc& doc, bool useLibrary)
{
    FillFixtureProject(doc, useLibrary);
    doc.Screens.push_back(GapScreen(3, 1, 300, 300));
    doc.Screens.push_back(GapScreen(300, 3, 1, 1));
    for (const ElementRef& ref : doc.Screens[0].Elements)
        if (auto reg = std::dynamic_pointer_cast<CRegisterElement>(ref.element); reg && reg->GetStation() == 0) {
            reg->SetSettable(useLibrary ? 1 : 0);
            if (!useLibrary) {
                reg->GroupName.clear();
                reg->ElementName.clear();
            }
        }
    if (!useLibrary) {
        for (GlobalButton& button : doc.GlobalButtons) {
            button.GroupName.clear();
            button.ElementName.clear();
        }
        // Without the library the image carries no control register.
        doc.Panel.AutoScreenSwitch = 0;
        doc.Panel.ReportScreen = 0;
    }
}

// One screen of pictures, on the fixture's device (its table is not carried
// by the image): 23 of the whole display and one of `width` x `height`.
void FillPictures(CVX50TextDoc& doc, int width, int height)
{
    doc.AddressTable = FixtureAddressTable();
    doc.DeviceName = "PN07";
    doc.ProtocolLibraryName = "ModBus Slave.dll";
    doc.TableEditable = 0;
    ScreenRecord& screen = doc.Screens.front();
    screen.Description.clear();
    screen.Elements.clear();
    for (int k = 0; k < 24; ++k) {
        auto picture = std::make_shared<CPictureElement>();
        picture->SetPixelStore(std::vector<std::uint8_t>(CPictureElement::kPixelStoreSize, 0));
        picture->SetSize(k < 23 ? 192 : width, k < 23 ? 64 : height);
        screen.Elements.push_back({KindPicture, picture});
    }
    doc.CurrentScreenNumber = screen.Number;
    doc.WorkingElements = screen.Elements;
}

using Image = PanelImageAreas;

Image BuildImageOf(const CVX50TextDoc& doc)
{
    RecordingUserInterface quiet;
    std::optional<Image> image = PanelImageOf(doc, Modbus(), quiet, FixtureFont());
    EXPECT_TRUE(image) << ::testing::PrintToString(quiet.MessageIds())
                       << (quiet.messages.empty() ? "" : quiet.messages[0].gbkText);
    return image ? std::move(*image) : Image{};
}

class ReadPanelTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ReadProgramFolder();
        ASSERT_TRUE(panel.Start());
        portName = QString::fromStdString(panel.DevicePath());
        ResetProjectForNew(fresh);
    }

    // Puts the image of `doc` into the panel, as a write leaves it.
    void LoadPanel(const CVX50TextDoc& doc)
    {
        const Image image = BuildImageOf(doc);
        panel.ClearBlocks();
        panel.LoadArea(kFirstMainBlock, image.main);
        panel.LoadArea(kFirstHeaderBlock, image.header);
    }

    bool Read()
    {
        ReadPanelCommand command(fresh, protocol, ui);
        ReadPanelCommand::Options options;
        options.portName = portName;
        options.askPassword = [this]() -> std::optional<int> {
            ++passwordAsks;
            if (passwords.empty())
                return std::nullopt;
            const int next = passwords.front();
            passwords.erase(passwords.begin());
            return next;
        };
        options.freshProject = [this] {
            if (keepOpenProject)
                return false;
            ResetProjectForNew(fresh);
            return true;
        };
        return command.Run(options);
    }

    std::vector<int> Functions() const
    {
        std::vector<int> order;
        for (const auto& frame : panel.ReceivedFrames())
            if (order.empty() || frame[1] != kFunctionBlockRead || order.back() != kFunctionBlockRead)
                order.push_back(frame[1]);
        return order;
    }

    PanelEmulator panel;
    QString portName;
    RecordingUserInterface ui;
    CVX50TextDoc original;
    CVX50TextDoc fresh;
    ProtocolFunctionTable protocol;
    std::vector<int> passwords;
    int passwordAsks = 0;
    bool keepOpenProject = false;
};

} // namespace

std::vector<int> Numbers(const CVX50TextDoc& doc)
{
    std::vector<int> numbers;
    for (const ScreenRecord& screen : doc.Screens)
        numbers.push_back(screen.Number);
    return numbers;
}

// The round trip, with the protocol library and without it: written by the
// write command, read back into a fresh document, built again: the same
// bytes. Where the image carries a field, the rebuilt project has it.
TEST_F(ReadPanelTest, WrittenProjectReadBackBuildsTheSameImage)
{
    for (const bool useLibrary : {true, false}) {
        SCOPED_TRACE(useLibrary ? "with the library" : "without the library");
        original = CVX50TextDoc();
        FillGappedFixture(original, useLibrary);
        ProtocolFunctionTable writeTable = Modbus();
        WritePanelCommand write(original, writeTable, ui, FixtureFont());
        ASSERT_TRUE(write.Run({false, portName, {}}));
        const std::vector<std::uint8_t> writtenMain = panel.StoredArea(kFirstMainBlock);
        const std::vector<std::uint8_t> writtenHeader = panel.StoredArea(kFirstHeaderBlock);

        ResetProjectForNew(fresh);
        ui.messages.clear();
        ASSERT_TRUE(Read()) << ::testing::PrintToString(ui.MessageIds());
        EXPECT_THAT(ui.MessageIds(), ElementsAre(IdsPanelRead));
        EXPECT_EQ(fresh.UseProtocolLibrary, useLibrary ? 1 : 0);

        const Image again = BuildImageOf(fresh);
        EXPECT_EQ(again.main, writtenMain);
        ASSERT_LE(again.header.size(), writtenHeader.size());
        EXPECT_EQ(again.header, writtenHeader);

        // Screens in the order they were written, with their descriptions.
        EXPECT_EQ(Numbers(fresh), Numbers(original));
        for (std::size_t s = 0; s < fresh.Screens.size(); ++s) {
            EXPECT_EQ(fresh.Screens[s].Description, original.Screens[s].Description);
            EXPECT_EQ(fresh.Screens[s].Elements.size(), original.Screens[s].Elements.size());
            EXPECT_EQ(fresh.Screens[s].UpKeyScreen, original.Screens[s].UpKeyScreen);
        }
        EXPECT_EQ(fresh.CurrentScreenNumber, 2);
        EXPECT_EQ(fresh.PasswordTable.size(), 2u);
        EXPECT_EQ(fresh.PasswordTable[1].Password, "0099");
        EXPECT_EQ(fresh.Panel.MainScreen, 1);
        EXPECT_EQ(fresh.Panel.SaverScreen, 5);
        EXPECT_EQ(fresh.Panel.ScreenSaverIndex, 3);
        EXPECT_EQ(fresh.Rs485Port.baud, 38400);
        EXPECT_EQ(fresh.GlobalButtons.size(), original.GlobalButtons.size());
        EXPECT_EQ(fresh.ProjectModified, 1);
        EXPECT_EQ(fresh.UndoHistory.size(), 1u);
        EXPECT_FALSE(fresh.CanRedo());
        if (useLibrary) {
            EXPECT_EQ(fresh.CopyRegGroups.size(), 2u);
            EXPECT_EQ(fresh.Panel.ControlElementName, "R15");
            EXPECT_EQ(fresh.Panel.PanelStation, 3);
            EXPECT_EQ(fresh.AlarmSegments.size(), 8u);
            EXPECT_EQ(fresh.AlarmSegments[0].GroupName, "Coil");
            EXPECT_EQ(fresh.AlarmSegments[0].StartIndex, "4");
            EXPECT_EQ(fresh.AlarmSegments[0].Entries[3].Text, kA + "hot");
            for (std::size_t b = 0; b < original.GlobalButtons.size(); ++b) {
                EXPECT_EQ(fresh.GlobalButtons[b].GroupName, original.GlobalButtons[b].GroupName) << b;
                EXPECT_EQ(fresh.GlobalButtons[b].ElementName, original.GlobalButtons[b].ElementName) << b;
                EXPECT_EQ(fresh.GlobalButtons[b].Function, original.GlobalButtons[b].Function) << b;
            }
            // The set values come back into the keys.
            const auto& keys = fresh.Screens[1].Elements;
            EXPECT_EQ(static_cast<const CFuncKeyElement&>(*keys[11].element).SetValue, 0x01020304);
        }
        panel.ClearBlocks();
    }
}

// Images up to the largest a write makes (T = G + D + 2 + L up to 36154
// bytes, 142 blocks), and a header naming every block of the panel's
// capacity (144), are read back.
TEST_F(ReadPanelTest, ImagesUpToThePanelsCapacityAreReadBack)
{
    const struct {
        int total;
        int width;
        int height;
        int written;
        int named; // the main block count of the header
    } cases[] = {
        {36096, 140, 32, 141, 141},
        {36097, 187, 24, 142, 142},
        {36154, 103, 48, 142, 142},
        {36154, 103, 48, 142, 144},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.total) + " bytes, " + std::to_string(c.named) + " blocks named");
        original = CVX50TextDoc();
        FillPictures(original, c.width, c.height);
        {
            RecordingUserInterface quiet;
            MainAreaBuilder builder(original, Modbus(), quiet, FixtureFont());
            int progress = 0;
            ASSERT_TRUE(builder.BuildProjectData({true}, progress));
            EXPECT_EQ(2 + builder.Data().bytes.size() + 2, static_cast<std::size_t>(c.total));
        }
        panel.ClearBlocks();
        ProtocolFunctionTable writeTable;
        ASSERT_TRUE(WritePanelCommand(original, writeTable, ui, FixtureFont()).Run({false, portName, {}}));
        EXPECT_EQ(panel.StoredArea(kFirstMainBlock).size(), static_cast<std::size_t>(c.written) * kBlockSize);
        if (c.named != c.written) {
            std::vector<std::uint8_t> header = panel.StoredArea(kFirstHeaderBlock);
            header[WalkHeaderArea(header).summary.offset] = static_cast<std::uint8_t>(c.named);
            panel.LoadArea(kFirstHeaderBlock, header);
        }

        ui.messages.clear();
        const int readsBefore = panel.FrameCount(kFunctionBlockRead);
        EXPECT_TRUE(Read());
        EXPECT_THAT(ui.MessageIds(), ElementsAre(IdsPanelRead));
        EXPECT_EQ(panel.FrameCount(kFunctionBlockRead) - readsBefore, 8 + c.named);
        ASSERT_EQ(fresh.Screens.size(), 1u);
        EXPECT_EQ(fresh.Screens[0].Elements.size(), 24u);
    }
}

// A main block that cannot be read leaves the fresh project with everything
// the header gave it: ports, panel settings, passwords, the alarm list's
// segments on their blocks' ports; and the image's device with its own
// table where the PC has the device's file, else File New's device whole.
TEST_F(ReadPanelTest, AFailedMainBlockLeavesTheHeadersSettings)
{
    FillGappedFixture(original, true);
    const AddressTable otherTable = {MakeGroup("Elsewhere", BitElementType, CoilOrMultiWriteMode, {{"E1", 1, 0}}, 1)};
    for (const bool deviceFileThere : {true, false}) {
        SCOPED_TRACE(deviceFileThere ? "the device's file is there" : "no file of the device");
        if (!deviceFileThere)
            std::filesystem::remove(DeviceTablePath("PN07"));
        LoadPanel(original);
        ResetProjectForNew(fresh);
        fresh.DeviceName = "Other";
        fresh.ProtocolLibraryName = "Other.dll";
        fresh.AddressTable = otherTable;
        ui.messages.clear();
        panel.InjectFault(kFunctionBlockRead, Fault::None, 9);
        panel.InjectFault(kFunctionBlockRead, Fault::WrongCode);
        EXPECT_FALSE(Read());
        EXPECT_THAT(ui.MessageIds(), ElementsAre(IdsReadDataError));
        panel.ClearFaults();

        EXPECT_EQ(fresh.DeviceName, deviceFileThere ? "PN07" : "Other");
        EXPECT_EQ(fresh.ProtocolLibraryName, deviceFileThere ? "ModBus Slave.dll" : "Other.dll");
        EXPECT_TRUE(fresh.AddressTable == (deviceFileThere ? FixtureAddressTable() : otherTable));
        EXPECT_EQ(fresh.Rs485Port.baud, 38400);
        EXPECT_EQ(fresh.Panel.ScreenSaverIndex, 3);
        EXPECT_EQ(fresh.PasswordTable.size(), 2u);
        // The fixture's blocks are on ports 0 and 1; the six segments without a
        // block take the last block's port. Groups and alarms come with the
        // main area, and so do the blocks.
        ASSERT_EQ(fresh.AlarmSegments.size(), 8u);
        for (std::size_t k = 0; k < 8; ++k) {
            const AlarmSegment& segment = fresh.AlarmSegments[k];
            EXPECT_EQ(segment.Port, k == 0 ? "0" : "1") << k;
            EXPECT_EQ(segment.Number, static_cast<int>(k) + 1);
            EXPECT_EQ(segment.Station, "1");
            EXPECT_TRUE(segment.GroupName.empty());
            EXPECT_EQ(segment.AlarmCount(), 0);
            EXPECT_EQ(segment.Entries.size(), 1u);
        }
        EXPECT_TRUE(fresh.AlarmBlocks.empty());
    }
    ReadProgramFolder();
}

// What binds a project to its device, one line a record: every element's
// address names (a lamp's plain address too), every alarm segment's group,
// start and alarms, every global button's, copy register's and the control
// register's names.
template <class Element>
std::string AddressLine(const CScreenElement& element)
{
    const auto& typed = static_cast<const Element&>(element);
    return typed.GroupName + "/" + typed.ElementName;
}

std::vector<std::string> Bindings(const CVX50TextDoc& doc)
{
    std::vector<std::string> lines;
    for (const ScreenRecord& screen : doc.Screens)
        for (const ElementRef& ref : screen.Elements) {
            std::string line = "screen " + std::to_string(screen.Number) + " kind " + std::to_string(ref.kind) + ": ";
            switch (ref.kind) {
            case KindLamp:
                line += AddressLine<CLampElement>(*ref.element) + " "
                    + static_cast<const CLampElement&>(*ref.element).AddressText;
                break;
            case KindFuncKey: line += AddressLine<CFuncKeyElement>(*ref.element); break;
            case KindRegister: line += AddressLine<CRegisterElement>(*ref.element); break;
            case KindText: line += AddressLine<CTextElement>(*ref.element); break;
            case KindGraph: line += AddressLine<CGraphElement>(*ref.element); break;
            default: break;
            }
            lines.push_back(line);
        }
    for (const AlarmSegment& segment : doc.AlarmSegments) {
        std::string line = "alarms " + segment.GroupName + "@" + segment.StartIndex + ":";
        for (const AlarmEntry& entry : segment.Entries)
            line += " " + entry.ElementName + "=" + entry.Text;
        lines.push_back(line);
    }
    for (const GlobalButton& button : doc.GlobalButtons)
        lines.push_back("button " + button.GroupName + "/" + button.ElementName);
    for (const CopyRegGroup& group : doc.CopyRegGroups) {
        std::string line = "copy " + group.SourceGroupName + "/" + group.SourceStartElement + " to";
        for (const CopyRegEntry& target : group.Targets)
            line += " " + target.GroupName + "/" + target.StartElement;
        lines.push_back(line);
    }
    lines.push_back("control " + doc.Panel.ControlGroupName + "/" + doc.Panel.ControlElementName);
    return lines;
}

// A project read back from the panel leaves the device's file as the user
// keeps it, whatever that file holds: saved and opened (each time as in a
// program just started), again and again, it neither writes the file nor
// binds anything otherwise than the read did (unbound stays unbound). The
// device files differ from the one the image was written with: the same, with
// every other element, without a middle group (later group indexes shift),
// with every group empty; images with the protocol library and without.
TEST_F(ReadPanelTest, ReadProjectsLeaveTheDeviceFileAlone)
{
    using Change = std::function<void(AddressTable&)>;
    const std::vector<std::pair<const char*, Change>> variants = {
        {"the same table", [](AddressTable&) {}},
        {"every other element",
            [](AddressTable& table) {
                for (ElementGroup& group : table)
                    for (std::size_t k = 1; k < group.elements.size(); ++k)
                        group.elements.erase(group.elements.begin() + static_cast<std::ptrdiff_t>(k));
            }},
        {"a middle group removed", [](AddressTable& table) { table.erase(table.begin() + 1); }},
        {"every group empty",
            [](AddressTable& table) {
                for (ElementGroup& group : table)
                    group.elements.clear();
            }},
    };
    const std::string path = ::testing::TempDir() + "read-back-" + std::to_string(::getpid()) + ".opf";
    for (const bool useLibrary : {true, false})
        for (const auto& [name, change] : variants) {
            SCOPED_TRACE(std::string(name) + (useLibrary ? ", with the library" : ", without the library"));
            original = CVX50TextDoc();
            FillGappedFixture(original, useLibrary);
            LoadPanel(original);
            AddressTable table = FixtureAddressTable();
            change(table);
            DeviceKeys keys;
            keys.dllName = "ModBus Slave.dll";
            keys.commBuffLength = 30;
            ASSERT_TRUE(WriteFileAtomically(DeviceTablePath("PN07"), FormatAddressTable(keys, "PN07", table)));
            const std::string deviceFile = *ReadTestFile(DeviceTablePath("PN07"));

            ResetProjectForNew(fresh);
            ASSERT_TRUE(Read()) << ::testing::PrintToString(ui.MessageIds());
            const std::vector<std::string> bound = Bindings(fresh);
            // Where the table names everything, the project still makes the
            // image it was read from after every open. (Alarms read without
            // the library have no bits: they stay in the list unbound, and a
            // list that does not resolve gives the image no alarm screen.)
            const bool sameTable = std::string(name) == "the same table";
            const Image read = sameTable && useLibrary ? BuildImageOf(fresh) : Image{};

            std::unique_ptr<CVX50TextDoc> opened;
            for (int open = 1; open <= 2; ++open) {
                SCOPED_TRACE("open " + std::to_string(open));
                ASSERT_TRUE(SaveProjectFile(opened ? *opened : fresh, path, true));
                opened = std::make_unique<CVX50TextDoc>();
                bool displaySetting = true;
                ASSERT_TRUE(OpenProjectFile(*opened, path, displaySetting));
                EXPECT_EQ(*ReadTestFile(DeviceTablePath("PN07")), deviceFile);
                EXPECT_EQ(Bindings(*opened), bound);
                EXPECT_EQ(opened->UseProtocolLibrary, useLibrary ? 1 : 0);
                if (sameTable && useLibrary)
                    EXPECT_EQ(BuildImageOf(*opened).main, read.main);
            }
        }
    std::filesystem::remove(path);
    ReadProgramFolder();
}

// The lock: a wrong password asks again and the right one reads; Cancel ends
// with the project untouched; a panel that refuses reading gives 61399 and
// no end frame; the password dialog's value goes out low byte first.
TEST_F(ReadPanelTest, LockedPanelAsksForThePassword)
{
    FillGappedFixture(original, true);
    LoadPanel(original);
    panel.SetLock(PanelEmulator::Lock::Password, 99);

    passwords = {1234, 99};
    ASSERT_TRUE(Read());
    EXPECT_EQ(passwordAsks, 2);
    std::vector<std::vector<std::uint8_t>> sent;
    for (const auto& frame : panel.ReceivedFrames())
        if (frame[1] == kFunctionPassword)
            sent.push_back({frame[2], frame[3]});
    EXPECT_THAT(sent, ElementsAre(std::vector<std::uint8_t>{0xD2, 0x04}, std::vector<std::uint8_t>{99, 0}));
}

TEST_F(ReadPanelTest, CancelledPasswordAndRefusedReadLeaveTheProject)
{
    FillGappedFixture(original, true);
    LoadPanel(original);
    fresh.Screens[0].Description = "kept";
    for (const PanelEmulator::Lock lock : {PanelEmulator::Lock::Password, PanelEmulator::Lock::Refuse}) {
        panel.SetLock(lock, 99);
        ui.messages.clear();
        EXPECT_FALSE(Read());
        EXPECT_EQ(fresh.Screens[0].Description, "kept");
        EXPECT_EQ(panel.FrameCount(kFunctionBlockRead), 0);
        EXPECT_EQ(panel.FrameCount(kFunctionEnd), 0);
        if (lock == PanelEmulator::Lock::Refuse)
            EXPECT_THAT(ui.MessageIds(), ElementsAre(IdsProjectEncrypted));
        else
            EXPECT_TRUE(ui.MessageIds().empty());
    }
}

// The ways out once blocks are read: each ends the transfer (one end frame)
// and shows its message after it; the project is left as the table says.
TEST_F(ReadPanelTest, FailuresAfterTheFirstBlockEndTheTransfer)
{
    struct Case {
        const char* name;
        std::function<void(ReadPanelTest&)> arrange;
        std::vector<int> messages;
        bool projectKept; // the open project survives, else a fresh one
    };
    const std::vector<Case> cases = {
        {"not readable",
            [](ReadPanelTest& t) {
                auto header = t.panel.StoredArea(kFirstHeaderBlock);
                header[NotReadableAt] = 1;
                t.panel.LoadArea(kFirstHeaderBlock, header);
            },
            {IdsProjectNotReadable}, true},
        {"save prompt cancelled", [](ReadPanelTest& t) { t.keepOpenProject = true; }, {}, true},
        {"header block refused",
            [](ReadPanelTest& t) {
                t.panel.InjectFault(kFunctionBlockRead, Fault::None, 3);
                t.panel.InjectFault(kFunctionBlockRead, Fault::WrongCode);
            },
            {IdsReadDataError}, true},
        {"main block refused",
            [](ReadPanelTest& t) {
                t.panel.InjectFault(kFunctionBlockRead, Fault::None, 9);
                t.panel.InjectFault(kFunctionBlockRead, Fault::WrongCode);
            },
            {IdsReadDataError}, false},
        {"main block damaged",
            [](ReadPanelTest& t) {
                t.panel.InjectFault(kFunctionBlockRead, Fault::None, 9);
                t.panel.InjectFault(kFunctionBlockRead, Fault::BadCrc);
            },
            {IdsReadDataError}, false},
        {"no device file",
            [](ReadPanelTest& t) { std::filesystem::remove(DeviceTablePath("PN07")); },
            {IdsDeviceNotFound}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        original = CVX50TextDoc();
        FillGappedFixture(original, true);
        LoadPanel(original);
        keepOpenProject = false;
        fresh.Screens[0].Description = "kept";
        ui.messages.clear();
        c.arrange(*this);
        const int endsBefore = panel.FrameCount(kFunctionEnd);
        EXPECT_FALSE(Read());
        EXPECT_EQ(ui.MessageIds(), c.messages);
        EXPECT_EQ(panel.FrameCount(kFunctionEnd) - endsBefore, 1);
        EXPECT_EQ(fresh.Screens[0].Description == "kept", c.projectKept);
        panel.ClearFaults();
        ReadProgramFolder();
    }
}

// Damaged images: every count and offset the panel gives is checked, so each
// ends with 61217 and a fresh project, never a read outside the bytes (the
// tests run under AddressSanitizer).
TEST_F(ReadPanelTest, DamagedImagesEndWithAMessageAndAFreshProject)
{
    FillGappedFixture(original, true);
    const Image image = BuildImageOf(original);
    const WalkedHeader header = WalkHeaderArea(image.header);
    const WalkedMainArea main = WalkMainArea(image.main, header);
    const std::size_t summary = header.summary.offset;
    const auto picture = std::find_if(main.screens[0].elements.begin(), main.screens[0].elements.end(),
        [](const WalkedRecord& r) { return r.kind == "picture"; });
    ASSERT_NE(picture, main.screens[0].elements.end());

    struct Case {
        const char* name;
        std::function<void(Image&)> damage;
        bool mainRead; // the main blocks are read before the damage is found
    };
    const auto set16 = [](std::vector<std::uint8_t>& b, std::size_t at, int v) {
        b[at] = static_cast<std::uint8_t>(v & 0xFF);
        b[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    const std::vector<Case> cases = {
        {"screen count past the header", [&](Image& i) { set16(i.header, HighestScreenAt, 0xFFFF); }, false},
        {"no screen at all", [&](Image& i) { set16(i.header, HighestScreenAt, 0); }, false},
        {"main block count above a write's", [&](Image& i) { i.header[summary] = 200; }, false},
        {"main block count above the capacity's 144", [&](Image& i) { i.header[summary] = 145; }, false},
        {"main block count 0", [&](Image& i) { i.header[summary] = 0; }, false},
        {"password section past the header", [&](Image& i) { set16(i.header, PasswordSlot, 0xF000 + 3000); }, false},
        {"copy commands outside the header", [&](Image& i) { set16(i.header, 61 + 2, 0x1234); }, false},
        {"too many buttons", [&](Image& i) { i.header[ButtonCountAt] = 200; }, true},
        {"glyph count past the main area", [&](Image& i) { i.main[0] = 0x7F; }, true},
        {"description table past the data", [&](Image& i) { set16(i.header, summary + 5, 0xFFF0); }, true},
        {"unknown element type", [&](Image& i) { i.main[main.screens[0].elements[0].offset] = 0x33; }, true},
        {"picture wider than the display", [&](Image& i) { i.main[picture->offset + 3] = 200; }, true},
        {"picture data of the wrong length", [&](Image& i) { i.main[picture->offset + 6] += 1; }, true},
        {"element count running past the data", [&](Image& i) {
             i.main[main.screens.back().head.offset] = 255; }, true},
        {"text naming a glyph it lacks", [&](Image& i) { i.main[0] = 0; i.main[1] = 0; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image damaged = image;
        c.damage(damaged);
        panel.ClearBlocks();
        panel.LoadArea(kFirstMainBlock, damaged.main);
        panel.LoadArea(kFirstHeaderBlock, damaged.header);
        const int readsBefore = panel.FrameCount(kFunctionBlockRead);
        ui.messages.clear();
        EXPECT_FALSE(Read());
        EXPECT_THAT(ui.MessageIds(), ElementsAre(IdsReadDataError));
        EXPECT_EQ(panel.FrameCount(kFunctionBlockRead) - readsBefore > 8, c.mainRead);
        EXPECT_EQ(Numbers(fresh), std::vector<int>{1});
        EXPECT_TRUE(fresh.GlobalButtons.empty());
    }
}

// A device name from the panel that names another folder or holds control
// characters is refused before any file is touched; a device file is made
// from the image only when the image carries a table.
TEST_F(ReadPanelTest, DeviceNamesFromThePanelAreChecked)
{
    FillGappedFixture(original, true);
    const Image image = BuildImageOf(original);
    const WalkedHeader header = WalkHeaderArea(image.header);
    const std::size_t name = header.summary.offset + 8; // [length][name]
    for (const std::string& bad : {std::string("../x"), std::string("a\\b"), std::string("P\nN7"), std::string("..")}) {
        SCOPED_TRACE(bad);
        Image damaged = image;
        // Same length keeps the layout: pad or cut to 4 bytes.
        const std::string four = (bad + "____").substr(0, 4);
        std::copy(four.begin(), four.end(), damaged.header.begin() + static_cast<std::ptrdiff_t>(name));
        panel.ClearBlocks();
        panel.LoadArea(kFirstMainBlock, damaged.main);
        panel.LoadArea(kFirstHeaderBlock, damaged.header);
        ui.messages.clear();
        EXPECT_FALSE(Read());
        EXPECT_THAT(ui.MessageIds(), ElementsAre(IdsDeviceNotFound));
    }
    EXPECT_FALSE(std::filesystem::exists(ReadProgramFolder() + "x"));

    // An image without an embedded table on a PC without the device's file.
    std::filesystem::remove(DeviceTablePath("PN07"));
    LoadPanel(original);
    ui.messages.clear();
    EXPECT_FALSE(Read());
    EXPECT_THAT(ui.MessageIds(), ElementsAre(IdsDeviceNotFound));
    EXPECT_FALSE(std::filesystem::exists(DeviceTablePath("PN07")));
}

// Preset files are read whole, whatever their size.
TEST_F(ReadPanelTest, LargePresetFilesAreReadWhole)
{
    std::vector<PresetText> texts(600);
    for (std::size_t k = 0; k < texts.size(); ++k) {
        texts[k].GroupName = "Reg";
        texts[k].Pairs = {{static_cast<int>(k), std::string(20, 'x')}};
    }
    ASSERT_TRUE(WritePresetTextFile(PresetTextPath("PN07"), texts));
    ASSERT_GT(ReadTestFile(PresetTextPath("PN07"))->size(), 10000u);
    FillGappedFixture(original, true);
    LoadPanel(original);
    ASSERT_TRUE(Read());
    EXPECT_EQ(fresh.PresetTexts.size(), 600u);
    std::filesystem::remove(PresetTextPath("PN07"));
}

// The rebuild without the line, for the layouts the round trip above does not
// reach: the image as the panel holds it, rebuilt into `fresh`.
class ImageRebuildTest : public ReadPanelTest {
public:
    // Rebuilds `image` (the header padded to the 8 blocks a read takes);
    // true when the rebuild completed.
    bool Rebuild(Image image)
    {
        image.header.resize(8 * kBlockSize, 0xFF);
        ResetProjectForNew(fresh);
        const ImageHeaderFacts facts = ApplyHeaderSettings(fresh, image.header);
        return RebuildFromImage(fresh, protocol, facts, image.header, image.main, ui, [] {}).Completed();
    }

    // `doc`'s image, rebuilt and built again, is the same.
    void ExpectRoundTrip(const CVX50TextDoc& doc)
    {
        const Image image = BuildImageOf(doc);
        ASSERT_TRUE(Rebuild(image));
        const Image again = BuildImageOf(fresh);
        EXPECT_EQ(again.main, image.main);
        EXPECT_EQ(again.header, image.header);
    }
};

TEST_F(ImageRebuildTest, AllOf256ScreensComeBack)
{
    FillGappedFixture(original, true);
    for (int number = 6; static_cast<int>(original.Screens.size()) < 256; ++number)
        if (!original.FindScreenByNumber(number))
            original.Screens.push_back(GapScreen(number, 1, 1, 1));
    ExpectRoundTrip(original);
    EXPECT_EQ(fresh.Screens.size(), 256u);
    EXPECT_EQ(fresh.Screens.back().Number, original.Screens.back().Number);
}

// Where the image names an address that the table lacks, the names come
// back empty: a jump button's (a jump carries no address), a register's that
// is neither polled nor settable (the image keeps only its group). A group
// without its element would be saved as an address that opening the project
// enters into the device's table as an element of its own.
TEST_F(ImageRebuildTest, AddressesTheTableLacksComeBackUnnamed)
{
    FillGappedFixture(original, true);
    GlobalButton jump = FixtureButton(0, 0, "Reg", "R8");
    jump.JumpScreen = 5;
    jump.KeyCode = static_cast<int>(original.GlobalButtons.size());
    original.GlobalButtons.push_back(jump);
    auto unpolled = std::make_shared<CRegisterElement>();
    unpolled->GroupName = "Reg";
    unpolled->ElementName = "R3";
    unpolled->SetStation(0);
    original.Screens[2].Elements.push_back({unpolled->Kind(), unpolled});
    ASSERT_TRUE(Rebuild(BuildImageOf(original)));

    EXPECT_EQ(fresh.GlobalButtons.back().JumpScreen, 5);
    EXPECT_TRUE(fresh.GlobalButtons.back().GroupName.empty());
    EXPECT_TRUE(fresh.GlobalButtons.back().ElementName.empty());
    const auto& rebuilt = static_cast<const CRegisterElement&>(*fresh.Screens[2].Elements.back().element);
    EXPECT_EQ(rebuilt.GetStation(), 0);
    EXPECT_TRUE(rebuilt.GroupName.empty());
    EXPECT_TRUE(rebuilt.ElementName.empty());

    // Saved and opened again: the device's file is as it was.
    const std::string deviceFile = *ReadTestFile(DeviceTablePath("PN07"));
    const std::string path = ::testing::TempDir() + "rebuilt-" + std::to_string(::getpid()) + ".opf";
    ASSERT_TRUE(SaveProjectFile(fresh, path, true));
    CVX50TextDoc reopened;
    bool displaySetting = true;
    ASSERT_TRUE(OpenProjectFile(reopened, path, displaySetting));
    EXPECT_EQ(*ReadTestFile(DeviceTablePath("PN07")), deviceFile);
    EXPECT_TRUE(reopened.GlobalButtons.back().GroupName.empty());
    std::filesystem::remove(path);
}

// Two 32-bit values at one address each (interval 1) are read together,
// 4 reply bytes apart: each comes back at its own address.
TEST_F(ImageRebuildTest, ItemsOfA32BitGroupOfInterval1KeepTheirAddresses)
{
    FillGappedFixture(original, true);
    original.AddressTable.push_back(
        MakeGroup("Wide", Word32ElementType, CoilOrMultiWriteMode, {{"W0", 300, 0}, {"W1", 301, 0}, {"W2", 302, 0}}, 1));
    DeviceKeys keys;
    keys.dllName = "ModBus Slave.dll";
    WriteFileAtomically(DeviceTablePath("PN07"), FormatAddressTable(keys, "PN07", original.AddressTable));
    for (const char* name : {"W0", "W2"}) {
        auto reg = std::make_shared<CRegisterElement>();
        reg->GroupName = "Wide";
        reg->ElementName = name;
        reg->WordSize = 32;
        reg->SetPosition(0, 40);
        original.Screens[2].Elements.push_back({reg->Kind(), reg});
    }
    ExpectRoundTrip(original);
    const auto& elements = fresh.Screens[2].Elements;
    ASSERT_GE(elements.size(), 2u);
    EXPECT_EQ(static_cast<const CRegisterElement&>(*elements[elements.size() - 2].element).ElementName, "W0");
    EXPECT_EQ(static_cast<const CRegisterElement&>(*elements.back().element).ElementName, "W2");
    ReadProgramFolder();
}

// A bit-bound text whose entry for 0 is empty still has its entry for 1, and
// the records after it are read from their own start.
TEST_F(ImageRebuildTest, BitBoundTextsTakeBothEntries)
{
    FillGappedFixture(original, true);
    auto text = std::make_shared<CTextElement>(1);
    text->GroupName = "Coil";
    text->ElementName = "C5";
    text->WordSize = 0;
    text->AddState("", "0");
    text->AddState("on", "1");
    auto& elements = original.Screens[0].Elements;
    elements.insert(elements.begin(), {text->Kind(), text});
    ExpectRoundTrip(original);
    const auto& rebuilt = static_cast<const CTextElement&>(*fresh.Screens[0].Elements[0].element);
    EXPECT_EQ(rebuilt.GetStateText(1), "on");
}

// The communication time read back stays in the settings' range; the
// control commands are found by their own address slot, not by the switch
// flags (which an image may have set without them).
TEST_F(ImageRebuildTest, HeaderSettingsStayInTheirRanges)
{
    FillGappedFixture(original, true);
    original.Panel.AutoScreenSwitch = 0;
    original.Panel.ReportScreen = 0;
    Image image = BuildImageOf(original);
    for (const auto& [stored, kept] : {std::pair{0, 10}, std::pair{255, 50}, std::pair{20, 20}}) {
        image.header[CommTimeAt] = static_cast<std::uint8_t>(stored);
        image.header[SwitchFlagsAt] = AutoScreenSwitchFlag | ReportScreenFlag;
        ASSERT_TRUE(Rebuild(image));
        EXPECT_EQ(fresh.Panel.CommTime, kept);
        EXPECT_EQ(fresh.Panel.AutoScreenSwitch, 1);
        EXPECT_TRUE(fresh.Panel.ControlElementName.empty());
        EXPECT_EQ(fresh.GlobalButtons.size(), original.GlobalButtons.size());
    }
}
