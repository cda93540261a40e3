#include "model/ProjectReset.h"

#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CLampElement.h"
#include "model/CVX50TextDoc.h"
#include "base/GbkText.h"

#include <gtest/gtest.h>

namespace {

ScreenRecord Screen(int number, int port, int up, int down)
{
    ScreenRecord screen;
    screen.Number = number;
    screen.Port = port;
    screen.Description = GbkFromUtf8("屏") + std::to_string(number);
    screen.UpKeyScreen = up;
    screen.DownKeyScreen = down;
    screen.Elements.push_back({KindLamp, std::make_shared<CLampElement>()});
    return screen;
}

// A modified project of screens 1, 5 and 9 with something in every table
// the reset empties and every setting it keeps.
CVX50TextDoc ProjectWithThreeScreens()
{
    CVX50TextDoc doc;
    doc.GetScreens() = {Screen(1, 0, 9, 5), Screen(5, 0, 1, 9), Screen(9, 1, 5, 1)};
    doc.CurrentScreenNumber = 5;
    doc.SetWorkingElements(doc.FindScreenByNumber(5)->Elements);
    doc.PushUndoSnapshot();
    doc.PushUndoSnapshot();
    doc.ProjectModified = 1;
    doc.ProjectPath = "/tmp/old.opf";
    doc.AlarmSegments.resize(2);
    doc.AlarmBlocks.resize(1);
    doc.GlobalButtons.resize(3);
    doc.CopyRegGroups.resize(1);
    doc.PasswordTable.resize(2);
    doc.HighestPasswordLevel = 2;
    doc.Panel.MainScreen = 9;
    doc.Panel.SaverScreen = 5;
    doc.Panel.ShowSaverScreen = 1;
    doc.Panel.ScreenSaverIndex = 3;
    doc.Panel.PanelStation = 7;
    doc.Panel.AutoScreenSwitch = 1;
    doc.Panel.ReportScreen = 1;
    doc.Panel.ControlPort = 1;
    doc.Panel.EncryptProject = 1;
    doc.Panel.ControlGroupName = "Register";
    doc.Panel.ControlElementName = "R1";
    doc.Panel.CommTime = 40;
    doc.Panel.Timeout = 900;
    doc.Panel.BacklightOffOnSaver = 1;
    doc.Panel.ClearAfterSwitch = 1;
    doc.DeviceName = "ModBus Slave";
    doc.ProtocolLibraryName = "ModBus Slave.dll";
    doc.AddressTable.resize(2);
    doc.Rs485Port.baud = 9600;
    doc.DefaultPort = 1;
    doc.DefaultStation = 4;
    doc.ProjectComPort = 3;
    doc.Clipboard.push_back({KindFuncKey, std::make_shared<CFuncKeyElement>()});
    return doc;
}

} // namespace

TEST(ProjectReset, LeavesOneEmptyScreenNumberedOne)
{
    CVX50TextDoc doc = ProjectWithThreeScreens();
    ResetProjectForNew(doc);

    ASSERT_EQ(doc.GetScreens().size(), 1u);
    const ScreenRecord& screen = doc.GetScreens().front();
    EXPECT_EQ(screen.Number, 1);
    EXPECT_EQ(Utf8FromGbk(screen.Description), "画面1");
    EXPECT_TRUE(screen.Elements.empty());
    EXPECT_EQ(screen.UpKeyScreen, 1);
    EXPECT_EQ(screen.DownKeyScreen, 1);
    EXPECT_EQ(screen.Port, 1); // the port of the screen that was left (9)
    EXPECT_TRUE(doc.GetWorkingElements().empty());
    EXPECT_EQ(doc.CurrentScreenNumber, 1);

    // Undo has nothing to go back to: one snapshot of the new state.
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
    ASSERT_EQ(doc.UndoHistory.size(), 1u);
    EXPECT_EQ(doc.UndoHistory.front().Current, 1);
    ASSERT_EQ(doc.UndoHistory.front().Screens.size(), 1u);
    EXPECT_EQ(doc.UndoHistory.front().Screens.front().Number, 1);
}

TEST(ProjectReset, EmptiesTheTablesAndResetsThePanelSettings)
{
    CVX50TextDoc doc = ProjectWithThreeScreens();
    ResetProjectForNew(doc);

    EXPECT_EQ(doc.ProjectModified, 0);
    EXPECT_TRUE(doc.ProjectPath.empty());
    EXPECT_TRUE(doc.AlarmSegments.empty());
    EXPECT_TRUE(doc.AlarmBlocks.empty());
    EXPECT_TRUE(doc.GlobalButtons.empty());
    EXPECT_TRUE(doc.CopyRegGroups.empty());
    EXPECT_TRUE(doc.PasswordTable.empty());
    EXPECT_EQ(doc.HighestPasswordLevel, 0);

    PanelSettings expected;
    expected.BacklightOffOnSaver = 1; // kept
    expected.ClearAfterSwitch = 1;    // kept
    EXPECT_EQ(doc.Panel, expected);
    EXPECT_EQ(doc.Panel.CommTime, 20);
    EXPECT_EQ(doc.Panel.Timeout, 300);
}

TEST(ProjectReset, KeepsTheDevicePortsDefaultsAndClipboard)
{
    CVX50TextDoc doc = ProjectWithThreeScreens();
    ResetProjectForNew(doc);

    EXPECT_EQ(doc.DeviceName, "ModBus Slave");
    EXPECT_EQ(doc.ProtocolLibraryName, "ModBus Slave.dll");
    EXPECT_EQ(doc.AddressTable.size(), 2u);
    EXPECT_EQ(doc.Rs485Port.baud, 9600);
    EXPECT_EQ(doc.DefaultPort, 1);
    EXPECT_EQ(doc.DefaultStation, 4);
    EXPECT_EQ(doc.ProjectComPort, 3);
    EXPECT_EQ(doc.Clipboard.size(), 1u);
}
