#pragma once

#include "base/UserInterface.h"

#include <cstdint>
#include <string>

class CPanelSerial;

// Small exchanges that several transfer commands share. Both leave the port
// open; the caller closes it. Their messages go to `ui`.

// Sends the end frame up to 3 times; true at the first reply with function
// code 0x10. After 3 failures shows IdsCheckConnectionOrPort and returns false.
bool EndTransfer(CPanelSerial& port, UserInterface& ui = CurrentUi());

// Asks the panel for its firmware version. Returns IdsFirmwareVersionFormat
// with the version filled in (GBK bytes), or an empty text after showing
// IdsCommunicationError when the exchange fails or the reply is wrong or
// corrupt.
std::string QueryFirmwareVersion(CPanelSerial& port, UserInterface& ui = CurrentUi());

// IdsFirmwareVersionFormat with `version` in tenths in place of its "%.1f".
std::string FirmwareVersionText(double version);

// The version number the panel means by version byte `code`: the byte's
// lower-case hexadecimal digits read as a decimal number up to the first
// letter, tenths: 0x23 is 2.3, 0x1B is 0.1, 0xA0 is 0.0.
double FirmwareVersionNumber(std::uint8_t code);
