#pragma once

#include "transfer/ProtocolFunctionTable.h"
#include "transfer/image/UnifontFont.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>

class CVX50TextDoc;
class UserInterface;

// The write command: builds the panel image of the whole project (main area
// and header area) and sends it to the panel block by block, then asks the
// panel for its firmware version.
//
// In order: the question whether to write the screen descriptions (Cancel
// ends at once), the progress window, the protocol library, the working
// element list tidied into its screen, the whole image built and checked
// (project data, main area with its capacity check, header), so that a
// refused project sends nothing; then the port, an end frame for a panel
// left inside an earlier transfer (its reply, if any, is not awaited), the
// begin exchange, the blocks (main area from block 0x60, header from 0xF0),
// the end exchange and the version query. Each failure shows its message and
// cleans up in the order its step asks: before the begin exchange nothing is
// ended; once the panel is inside the transfer the end exchange runs before
// the port is closed.
class WritePanelCommand {
public:
    struct Options {
        // Ask 61330 whether to write the screen descriptions; without the
        // question they are written.
        bool askDescriptions = true;
        // The PC port, "COM<n>" of the program's COM-port number.
        QString portName;
        // Gets the panel's version text after a complete write, before the
        // port is closed and 61266 shown.
        std::function<void(const std::string&)> showVersion;
    };

    // The protocol library's entries are loaded into `protocol` while the
    // document uses the library.
    WritePanelCommand(CVX50TextDoc& doc, ProtocolFunctionTable& protocol, UserInterface& ui,
        std::shared_ptr<const UnifontFont> font = SharedUnifont());

    // True when the whole image was written and 61266 shown.
    bool Run(const Options& options);

private:
    CVX50TextDoc& m_doc;
    ProtocolFunctionTable& m_protocol;
    UserInterface& m_ui;
    std::shared_ptr<const UnifontFont> m_font;
};
