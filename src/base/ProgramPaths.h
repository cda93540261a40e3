#pragma once

#include <string>
#include <string_view>

// Where the editor finds its own files: the program folder (the executable's
// folder) and the per-device files below it. Paths are UTF-8 with "/"
// separators; folders end with "/". Device names are GBK bytes as the model
// keeps them and are converted for the file system here.

// The program folder, ending with "/". Until SetProgramFolder is called it is
// the folder of the running executable.
const std::string& ProgramFolder();
void SetProgramFolder(std::string folder);

// A device name may become part of a file name only when it names no other
// folder: not empty, no "/" or "\", not "." or "..".
bool IsSafeDeviceName(std::string_view gbkName);

// The device's files. Each throws std::invalid_argument for an unsafe name.
std::string DeviceFolder();
std::string DeviceTablePath(std::string_view gbkName);
std::string PresetTextFolder();
std::string PresetTextPath(std::string_view gbkName);
std::string PresetRegisterFolder();
std::string PresetRegisterPath(std::string_view gbkName);
std::string ProtocolFolder();
