// The read command against the panel emulated on a pseudo-terminal: the
// round trip (a project written to the panel, read back into a fresh
// document and built again gives the same image), the lock, and the way out
// of every failure, damaged images among them.

#include "base/FileIo.h"
#include "base/ProgramPaths.h"
#include "devices/AddressTableFile.h"
#include "emulator/PanelEmulator.h"
#include "model/ProjectReset.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CTextElement.h"
#include "support/FixtureProject.h"
#include "support/RecordingUserInterface.h"
#include "transfer/PanelFrames.h"
#include "transfer/ReadPanelCommand.h"
#include "transfer/WritePanelCommand.h"
#include "transfer/image/ImageFixture.h"
#include "transfer/image/ImageLayout.h"

#include <QString>

#include <filesystem>

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
        const std::string path = ::testing::TempDir() + "read-program/";
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

// The fixture with screens 3 and 300 beside 1, 2 and 5.
void FillGappedFixture(CVX50TextDoc& doc, bool useLibrary)
{
    FillFixtureProject(doc, useLibrary);
    doc.Screens.push_back(GapScreen(3, 1, 300, 300));
    doc.Screens.push_back(GapScreen(300, 3, 1, 1));
    if (!useLibrary) {
        // Without the library the image carries no control register.
        doc.Panel.AutoScreenSwitch = 0;
        doc.Panel.ReportScreen = 0;
    }
}

struct Image {
    std::vector<std::uint8_t> main;
    std::vector<std::uint8_t> header;
};

Image BuildImageOf(const CVX50TextDoc& doc)
{
    RecordingUserInterface quiet;
    MainAreaBuilder builder(doc, Modbus(), quiet, FixtureFont());
    int progress = 0;
    EXPECT_TRUE(builder.BuildProjectData({true}, progress))
        << ::testing::PrintToString(quiet.MessageIds()) << (quiet.messages.empty() ? "" : quiet.messages[0].gbkText);
    const std::optional<MainArea> main = builder.Assemble();
    EXPECT_TRUE(main);
    if (!main)
        return {};
    const HeaderBuild header = BuildHeaderArea(doc, Modbus(), builder.Data(), *main, builder.UsedChars().Count());
    EXPECT_TRUE(header.area) << header.failedMessageId;
    return {main->bytes, header.area ? header.area->bytes : std::vector<std::uint8_t>{}};
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
}
