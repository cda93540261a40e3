#include "shell/CommandStates.h"

#include "shell/CommandIds.h"
#include "model/elements/ElementKind.h"

namespace {

// A screen holds at most 10 curve graphs.
constexpr int MaxCurves = 10;

} // namespace

CommandStateTable ComputeCommandStates(const EditorState& s)
{
    CommandStateTable t;
    const bool editing = s.canvasExists && !s.simulating;
    const bool selectionEditing = editing && s.hasSelection;
    const bool hasDevice = !s.deviceName.empty();
    auto enable = [&t](int id, bool enabled, bool checked = false) { t[id] = {enabled, checked}; };

    // Always available.
    for (int id : {Cmd::ComPort, Cmd::AppExit, Cmd::FirmwareVersion, Cmd::HelpContents, Cmd::About})
        enable(id, true);

    // Open and start a project, read one back from the panel.
    for (int id : {Cmd::FileNew, Cmd::FileOpen, Cmd::ReadPanel})
        enable(id, !s.simulating);

    // The editing commands.
    for (int id : {Cmd::FileSave, Cmd::FileSaveAs, Cmd::Device, Cmd::WritePanel, Cmd::Compile, Cmd::NewScreen,
                   Cmd::CopyScreen, Cmd::DeleteScreen, Cmd::ScreenProperties, Cmd::PanelSettings,
                   Cmd::GlobalButtons, Cmd::PasswordLevels, Cmd::ToolLamp, Cmd::ToolStaticText, Cmd::ToolDynText,
                   Cmd::ToolRegister, Cmd::ToolBarGraph, Cmd::ToolPicture})
        enable(id, editing);
    enable(Cmd::ToolFuncKey, editing && s.functionKeyCount < kMaxFunctionKeys);
    enable(Cmd::ToolCurve, editing && s.curveCount < MaxCurves);
    enable(Cmd::Undo, editing && s.canUndo);
    enable(Cmd::Redo, editing && s.canRedo);

    // Commands on the selected elements.
    for (int id : {Cmd::DeleteElements, Cmd::CopyElements, Cmd::CutElements, Cmd::SendToBottom, Cmd::BringToTop,
                   Cmd::MoveDownOne, Cmd::MoveUpOne})
        enable(id, selectionEditing);
    enable(Cmd::PasteElements, editing && !s.clipboardEmpty);

    // Device-dependent dialogs. The copy registers exist only for the Modbus
    // slave protocol, compared exactly as the library's file name is stored.
    enable(Cmd::PresetTexts, editing && hasDevice);
    enable(Cmd::PresetRegisters, editing && hasDevice);
    enable(Cmd::CopyRegisters, editing && s.protocolLibrary == "ModBus Slave.dll");
    // A project keeps either an alarm list or an ALM key, never both.
    enable(Cmd::AlarmList, editing && s.alarmListClosed && hasDevice && !s.almKeyInUse);

    // Switches.
    enable(Cmd::Simulate, s.canvasExists, s.simulating);
    enable(Cmd::WriteDescriptions, editing, s.writeDescriptions);
    enable(Cmd::ShowGrid, editing, s.gridShown);
    enable(Cmd::ScreenDataWindow, true, s.dataWindowShown && s.dataWindowExists);
    enable(Cmd::ViewToolbar, true, s.toolbarVisible);
    enable(Cmd::ViewStatusBar, true, s.statusBarVisible);
    return t;
}
