#pragma once

#include "base/UserInterface.h"

class CSerial;

// Tells the user that `port` could not be opened: IdsPortOpenFailed "通信口打开失败!";
// when the device exists but this user may not open it, the text goes on to
// name the group that owns the device, which the user must join.
void ReportPortOpenFailure(const CSerial& port, UserInterface& ui = CurrentUi());
