#pragma once

#include "devices/PresetRegister.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The device's PreSetReg file: a big-endian record count (absent for an empty
// list), then per preset its parts, group name, word address, register count,
// value type, the digits part and the ranges part as the parts say.

// Throws FormatError when the bytes break the layout (a record running past
// the end, parts above 2).
std::vector<PresetRegister> ParsePresetRegisters(std::string_view bytes);
std::string FormatPresetRegisters(const std::vector<PresetRegister>& presets);

// The presets of the file at `path`; nothing when the file is missing or
// damaged, so that the caller keeps the list it has.
std::optional<std::vector<PresetRegister>> ReadPresetRegisterFile(const std::string& path);
// Creates the file's folder when missing and replaces the file; false when
// it could not be written (the old file is then left as it was).
bool WritePresetRegisterFile(const std::string& path, const std::vector<PresetRegister>& presets);
// The presets of device `gbkName` written to its file under the program
// folder; false when the name cannot name a file or the file was not written.
bool WriteDevicePresetRegisters(std::string_view gbkName, const std::vector<PresetRegister>& presets);
