#pragma once

#include <map>
#include <string>

// Whether each menu and toolbar command is enabled and checked. The states
// are a pure function of a snapshot of the editor, so they can be computed as
// often as the window likes without changing the project.

struct CommandState {
    bool enabled = false;
    bool checked = false;
    bool operator==(const CommandState&) const = default;
};

// What the rules look at, gathered from the document, the view and the main
// frame.
struct EditorState {
    bool canvasExists = false;      // the first File New has run
    bool simulating = false;
    bool canUndo = false;           // a snapshot before the last is not undone
    bool canRedo = false;           // some snapshot is undone
    bool hasSelection = false;      // a selected element in the working list
    bool clipboardEmpty = true;
    int functionKeyCount = 0;       // function keys of the working list
    int curveCount = 0;             // curve graphs of the working list
    bool gridShown = false;
    bool writeDescriptions = false;
    bool dataWindowExists = false;
    bool dataWindowShown = true;
    bool toolbarVisible = true;
    bool statusBarVisible = true;
    bool alarmListClosed = true;    // no alarm-list dialog is open
    bool almKeyInUse = false;       // a function key or global button uses ALM
    std::string deviceName;         // GBK bytes
    std::string protocolLibrary;    // GBK bytes, e.g. "ModBus Slave.dll"
};

using CommandStateTable = std::map<int, CommandState>;

// The state of every command of the menus and the toolbar.
CommandStateTable ComputeCommandStates(const EditorState& state);
