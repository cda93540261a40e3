#pragma once

#include "devices/DeviceKeys.h"
#include "devices/ElementGroup.h"
#include "model/PortSettings.h"

#include <string>

class CVX50TextDoc;

// What the device dialog gathered: the chosen device, the two port sets, the
// default port and the default station, as the user left them.
struct DeviceChoice {
    std::string name; // GBK
    PortSettings rs485;
    PortSettings com1;
    int defaultPort = 0;    // 0 RS485, 1 COM1
    int defaultStation = 1; // 1 to 255
};

// The project's device as the device dialog found it: what its Cancel puts
// back after a new device was created or a choice failed.
struct DeviceState {
    std::string name;
    DeviceKeys keys;
    AddressTable table;
};
DeviceState CaptureDeviceState(const CVX50TextDoc& doc);
void RestoreDeviceState(CVX50TextDoc& doc, const DeviceState& state);

// Binds the project to `choice.name`. The device's file
// ("Device/<name>Communication.add") must open, give a non-empty DLLNAME and
// a sound address table; otherwise message IdsNoDeviceOrBadTable and false,
// with the project untouched. On success, in this order:
//  - the working list is committed; the device name, the keys (CANEDIT 0 for
//    a built-in name of IsSelectionBuiltInDeviceName) and the table are
//    taken; addresses go through the protocol library; the status bar and
//    the pages' address lists follow (UserInterface::DeviceLoaded);
//  - the device's preset texts and registers replace the project's; a
//    missing or damaged preset file leaves them when the device is the one
//    at open and empties them for another device;
//  - for a device other than `nameAtOpen` while a project is edited
//    (`editing`): the panel's automatic-screen, clear-after-change and
//    report-screen switches and the selected global button become 0, the
//    alarm segments and blocks, global buttons, copy-register groups and
//    passwords are emptied (with the password levels that no longer exist),
//    and every element is rebound to the new table (RebindAllElements);
//  - each port value that is valid (baud 4800 to 115200, parity 0 to 2,
//    data bits 7 or 8, stop bits 1 or 2) is taken;
//  - a changed default port (0 or 1) is written into every screen, alarm
//    segment, alarm block and global button;
//  - a changed default station (1 to 255) is written into the panel settings, every
//    element of every screen, every alarm segment, alarm block and global
//    button.
// Neither marks the project modified nor takes an undo snapshot.
bool ApplyDeviceChoice(CVX50TextDoc& doc, const DeviceChoice& choice, const std::string& nameAtOpen, bool editing);
