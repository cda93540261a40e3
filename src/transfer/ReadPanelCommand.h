#pragma once

#include "transfer/ProtocolFunctionTable.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

class CVX50TextDoc;
class UserInterface;

// The read command: copies the panel image out of the panel and rebuilds a
// project from it (transfer/image/ImageRebuild.h).
//
// In order: the progress window, the port, the firmware version, the lock
// query (a panel that asks for the project password gets it, asking again
// after a wrong one; one that refuses reading ends the command untouched),
// the 8 header blocks (0xF0 on), the not-readable byte, a fresh project
// (File New, whose save prompt may keep the open project), the header's
// settings, the main blocks (0x60 on), the rest of the rebuild, the end
// exchange and the finish: the project marked modified with an undo history
// of one snapshot, the windows refreshed and 61268 shown.
//
// Once a block has been read the panel is inside a transfer: every later way
// out ends it before its message. A damaged image (a count or offset that
// leads outside the bytes read) ends with 61217 and a fresh project.
class ReadPanelCommand {
public:
    struct Options {
        // The PC port, "COM<n>" of the program's COM-port number.
        QString portName;
        // Gets the panel's version text (status-bar pane 3).
        std::function<void(const std::string&)> showVersion;
        // The password dialog: the password typed, nothing when cancelled.
        std::function<std::optional<int>()> askPassword;
        // File New without the device question; false when the user kept
        // the open project at the save prompt.
        std::function<bool()> freshProject;
    };

    ReadPanelCommand(CVX50TextDoc& doc, ProtocolFunctionTable& protocol, UserInterface& ui);

    // True when the project was rebuilt and 61268 shown.
    bool Run(const Options& options);

private:
    CVX50TextDoc& m_doc;
    ProtocolFunctionTable& m_protocol;
    UserInterface& m_ui;
};
