#pragma once

#include <string>

class CVX50TextDoc;

// What the device information dialog gathered for a user-defined device.
struct NewDeviceEntry {
    std::string name;           // GBK, as typed
    std::string protocol;       // stored protocol name without ".dll"; empty when none was chosen
    long long bufferLength = 30; // bytes
    int wordOrder = 0;          // 0 low 16 bits first, 1 high 16 bits first
};

// Creates the device: the name without blanks at either end must pass
// DeviceNameRefusal against the project's device names (so no device file
// is ever overwritten), a protocol must be chosen (IdsNoProtocolChosen) and
// the buffer length must lie in 8 to 65535 (IdsBufferLengthRange). Then the
// device's file is written with an empty table (IdsSaveAddressTableFailed
// when that fails). Only once it is written does the project take the
// device: its name (added to the device names), "<protocol>.dll", an empty
// editable table, the buffer length and the word order. Returns 0 then, else
// the id of the message shown; the project is unchanged on every refusal.
int CreateNewDevice(CVX50TextDoc& doc, const NewDeviceEntry& entry);
