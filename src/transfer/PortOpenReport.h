#pragma once

#include "base/UserInterface.h"

class CSerial;

// Tells the user that `port` could not be opened: IdsPortOpenFailed "通信口打开失败!",
// then the device and why: not found (the port name when it maps to no
// device), in use by another program, no permission (with the group that
// owns the device, which the user must join), line settings refused.
void ReportPortOpenFailure(const CSerial& port, UserInterface& ui = CurrentUi());
