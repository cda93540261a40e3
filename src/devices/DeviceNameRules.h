#pragma once

#include <string>
#include <string_view>
#include <vector>

// The name under which a device's table is written as a new device file.

// Why `name` (already without blanks at either end) is refused, or 0:
// IdsDeviceNameEmpty an empty name; IdsDeviceNameBadCharacters a name with
// one of \ / : ? > < | * " or one that names no file ("." or "..");
// IdsDeviceExists a name of `deviceNames` (exact, case included) or one
// whose device file exists already, so that no device file is overwritten.
int DeviceNameRefusal(std::string_view name, const std::vector<std::string>& deviceNames);
