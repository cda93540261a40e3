#pragma once

// The editor's command ids: menu items, toolbar buttons and accelerators.
// The numbers are the ones the string table uses for each command's tooltip
// and status text.
namespace Cmd {

enum : int {
    // File
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    Device = 32794,
    ComPort = 32802,
    AppExit = 57665,
    // Edit
    DeleteElements = 32793,
    CopyElements = 32851,
    PasteElements = 32852,
    CutElements = 32853,
    SendToBottom = 32855,
    BringToTop = 32856,
    MoveDownOne = 32860,
    MoveUpOne = 32858,
    // Options
    WritePanel = 32785,
    ReadPanel = 32789,
    Compile = 32831,
    Simulate = 32816,
    WriteDescriptions = 32823,
    FirmwareVersion = 32846,
    // View
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    ShowGrid = 32792,
    ScreenDataWindow = 32854,
    // Tools
    NewScreen = 32782,
    CopyScreen = 32783,
    DeleteScreen = 32791,
    ScreenProperties = 32800,
    AlarmList = 32790,
    PanelSettings = 32801,
    GlobalButtons = 32834,
    CopyRegisters = 32839,
    PasswordLevels = 32824,
    PresetTexts = 32842,
    PresetRegisters = 32844,
    // Help
    HelpContents = 32845,
    About = 57664,
    // Toolbar only
    Undo = 32849,
    Redo = 32850,
    ToolLamp = 32774,
    ToolFuncKey = 32775,
    ToolStaticText = 32776,
    ToolDynText = 32777,
    ToolRegister = 32778,
    ToolBarGraph = 32779,
    ToolCurve = 32780,
    ToolPicture = 32781,
    // Accelerator only
    PageDownload = 32784,
    // Hidden: no menu entry and no accelerator
    PingSet = 32812,
};

} // namespace Cmd
