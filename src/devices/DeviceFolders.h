#pragma once

#include <string>
#include <vector>

// The devices and protocol libraries a user can choose from.

// The names of the devices in the program folder's Device/ (GBK): each file
// whose name ends with "Communication.add" gives the part in front of it.
// Other files there (backups such as "XCommunication.add.bak") are no device.
// In file-name order.
std::vector<std::string> ListDeviceNames();

// The stored protocol names ("X.dll") that a new device may take, in the
// order given: every name of `installed` but "QM4.dll", "QM4LAD.dll" and
// "QM4V3.dll" (compared whole, case included).
std::vector<std::string> OfferedProtocolNames(const std::vector<std::string>& installed);
