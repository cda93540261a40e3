#pragma once

#include <string>

// The main frame's "下位机版本" command: opens the PC port of the program's
// COM-port number as write and read do (19200 baud, 8 data bits, no parity,
// 1 stop bit), asks the panel for its firmware version and closes the port.
// Returns the text for the status bar's version pane, or an empty text after
// the failure has been shown (IdsPortOpenFailed when the port does not open,
// IdsCommunicationError when the panel does not answer).
std::string RunFirmwareVersionCommand();
