#include "shell/CommandStates.h"

#include "shell/CommandIds.h"

#include <gtest/gtest.h>

namespace {

EditorState EmptyEditor()
{
    return EditorState();
}

// The editor right after the first File New with the shipped Modbus device.
EditorState AfterFileNew()
{
    EditorState s;
    s.canvasExists = true;
    s.dataWindowExists = true;
    s.deviceName = "ModBus Slave";
    s.protocolLibrary = "ModBus Slave.dll";
    return s;
}

bool Enabled(const CommandStateTable& t, int id)
{
    return t.at(id).enabled;
}

const std::vector<int> EditingCommands = {
    Cmd::FileSave, Cmd::FileSaveAs, Cmd::Device, Cmd::WritePanel, Cmd::Compile, Cmd::NewScreen,
    Cmd::CopyScreen, Cmd::DeleteScreen, Cmd::ScreenProperties, Cmd::PanelSettings, Cmd::GlobalButtons,
    Cmd::PasswordLevels, Cmd::ToolLamp, Cmd::ToolFuncKey, Cmd::ToolStaticText, Cmd::ToolDynText,
    Cmd::ToolRegister, Cmd::ToolBarGraph, Cmd::ToolCurve, Cmd::ToolPicture, Cmd::ShowGrid,
    Cmd::WriteDescriptions, Cmd::PresetTexts, Cmd::PresetRegisters, Cmd::CopyRegisters, Cmd::AlarmList,
};

const std::vector<int> AlwaysEnabled = {
    Cmd::ComPort, Cmd::AppExit, Cmd::FirmwareVersion, Cmd::HelpContents, Cmd::About,
    Cmd::ViewToolbar, Cmd::ViewStatusBar, Cmd::ScreenDataWindow,
};

const std::vector<int> SelectionCommands = {
    Cmd::DeleteElements, Cmd::CopyElements, Cmd::CutElements, Cmd::SendToBottom,
    Cmd::BringToTop, Cmd::MoveDownOne, Cmd::MoveUpOne,
};

} // namespace

TEST(CommandStates, EmptyEditorOffersOnlyNewOpenReadAndTheAlwaysCommands)
{
    const CommandStateTable t = ComputeCommandStates(EmptyEditor());
    for (int id : {Cmd::FileNew, Cmd::FileOpen, Cmd::ReadPanel})
        EXPECT_TRUE(Enabled(t, id)) << id;
    for (int id : AlwaysEnabled)
        EXPECT_TRUE(Enabled(t, id)) << id;
    for (int id : EditingCommands)
        EXPECT_FALSE(Enabled(t, id)) << id;
    for (int id : SelectionCommands)
        EXPECT_FALSE(Enabled(t, id)) << id;
    for (int id : {Cmd::Undo, Cmd::Redo, Cmd::PasteElements, Cmd::Simulate})
        EXPECT_FALSE(Enabled(t, id)) << id;
    EXPECT_FALSE(t.at(Cmd::ScreenDataWindow).checked); // no window yet
    EXPECT_TRUE(t.at(Cmd::ViewToolbar).checked);
}

TEST(CommandStates, AfterFileNewTheEditingCommandsAreOn)
{
    const CommandStateTable t = ComputeCommandStates(AfterFileNew());
    for (int id : EditingCommands)
        EXPECT_TRUE(Enabled(t, id)) << id;
    // Nothing selected, nothing copied, one snapshot.
    for (int id : SelectionCommands)
        EXPECT_FALSE(Enabled(t, id)) << id;
    for (int id : {Cmd::Undo, Cmd::Redo, Cmd::PasteElements})
        EXPECT_FALSE(Enabled(t, id)) << id;
    EXPECT_TRUE(Enabled(t, Cmd::Simulate));
    EXPECT_FALSE(t.at(Cmd::Simulate).checked);
    EXPECT_TRUE(t.at(Cmd::ScreenDataWindow).checked);
}

TEST(CommandStates, SimulationDisablesEveryCommandThatChangesTheProject)
{
    EditorState s = AfterFileNew();
    s.simulating = true;
    s.hasSelection = true;
    s.clipboardEmpty = false;
    s.canUndo = s.canRedo = true;
    const CommandStateTable t = ComputeCommandStates(s);
    for (int id : EditingCommands)
        EXPECT_FALSE(Enabled(t, id)) << id;
    for (int id : SelectionCommands)
        EXPECT_FALSE(Enabled(t, id)) << id;
    for (int id : {Cmd::FileNew, Cmd::FileOpen, Cmd::ReadPanel, Cmd::Undo, Cmd::Redo, Cmd::PasteElements})
        EXPECT_FALSE(Enabled(t, id)) << id;
    EXPECT_TRUE(Enabled(t, Cmd::Simulate));
    EXPECT_TRUE(t.at(Cmd::Simulate).checked);
    for (int id : AlwaysEnabled)
        EXPECT_TRUE(Enabled(t, id)) << id;
}

TEST(CommandStates, RulesThatLookAtTheProject)
{
    struct Case {
        const char* name;
        void (*change)(EditorState&);
        int id;
        bool enabled;
    };
    const std::vector<Case> cases = {
        {"23 function keys", [](EditorState& s) { s.functionKeyCount = 23; }, Cmd::ToolFuncKey, true},
        {"24 function keys", [](EditorState& s) { s.functionKeyCount = 24; }, Cmd::ToolFuncKey, false},
        {"9 curves", [](EditorState& s) { s.curveCount = 9; }, Cmd::ToolCurve, true},
        {"10 curves", [](EditorState& s) { s.curveCount = 10; }, Cmd::ToolCurve, false},
        {"selection", [](EditorState& s) { s.hasSelection = true; }, Cmd::CutElements, true},
        {"clipboard", [](EditorState& s) { s.clipboardEmpty = false; }, Cmd::PasteElements, true},
        {"undo", [](EditorState& s) { s.canUndo = true; }, Cmd::Undo, true},
        {"redo", [](EditorState& s) { s.canRedo = true; }, Cmd::Redo, true},
        {"other protocol", [](EditorState& s) { s.protocolLibrary = "QM4.dll"; }, Cmd::CopyRegisters, false},
        {"protocol in other case", [](EditorState& s) { s.protocolLibrary = "modbus slave.dll"; },
         Cmd::CopyRegisters, false},
        {"no device: presets", [](EditorState& s) { s.deviceName.clear(); }, Cmd::PresetTexts, false},
        {"no device: preset registers", [](EditorState& s) { s.deviceName.clear(); }, Cmd::PresetRegisters,
         false},
        {"no device: alarm list", [](EditorState& s) { s.deviceName.clear(); }, Cmd::AlarmList, false},
        {"ALM key in use", [](EditorState& s) { s.almKeyInUse = true; }, Cmd::AlarmList, false},
        {"alarm list open", [](EditorState& s) { s.alarmListClosed = false; }, Cmd::AlarmList, false},
    };
    for (const Case& c : cases) {
        EditorState s = AfterFileNew();
        c.change(s);
        EXPECT_EQ(Enabled(ComputeCommandStates(s), c.id), c.enabled) << c.name;
    }
}

TEST(CommandStates, SwitchesShowTheirFlags)
{
    EditorState s = AfterFileNew();
    s.gridShown = true;
    s.writeDescriptions = true;
    s.dataWindowShown = false;
    s.toolbarVisible = false;
    const CommandStateTable t = ComputeCommandStates(s);
    EXPECT_TRUE(t.at(Cmd::ShowGrid).checked);
    EXPECT_TRUE(t.at(Cmd::WriteDescriptions).checked);
    EXPECT_FALSE(t.at(Cmd::ScreenDataWindow).checked);
    EXPECT_FALSE(t.at(Cmd::ViewToolbar).checked);
    EXPECT_TRUE(t.at(Cmd::ViewStatusBar).checked);
}
