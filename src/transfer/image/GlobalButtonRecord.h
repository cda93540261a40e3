#pragma once

#include "transfer/image/DeviceCommands.h"

class ByteWriter;
class CVX50TextDoc;
struct GlobalButton;

// Appends the header's record of a global button:
//   [7][0x14][0x1E][level + 1, or 0 when not protected][GlobalKeyCode]
//   [flags][group index][action code][the action's bytes]
// The action part is the function key's (KeyActionRecord); without the
// protocol library a button is these 8 bytes with action code 7. A failed
// library call, a missing jump target or an unsigned increment whose step is
// above its limit (61391) throws HeaderCheckFailed.
void AppendGlobalButtonRecord(ByteWriter& out, const GlobalButton& button, const CVX50TextDoc& doc,
    const DeviceCommands& commands);
