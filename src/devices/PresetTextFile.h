#pragma once

#include "devices/PresetText.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The device's PreSetDText file: a big-endian record count, then per preset
// the group name, word address, bit, pair count, value type and the pairs
// (16-bit value, text). An empty list is a file of zero bytes.

// Throws FormatError when the bytes break the layout (a record running past
// the end, more than 50 pairs).
std::vector<PresetText> ParsePresetTexts(std::string_view bytes);
std::string FormatPresetTexts(const std::vector<PresetText>& presets);

// The presets of the file at `path`; nothing when the file is missing or
// damaged, so that the caller keeps the list it has.
std::optional<std::vector<PresetText>> ReadPresetTextFile(const std::string& path);
// Creates the file's folder when missing and replaces the file; false when
// it could not be written (the old file is then left as it was).
bool WritePresetTextFile(const std::string& path, const std::vector<PresetText>& presets);
// The presets of device `gbkName` written to its file under the program
// folder; false when the name cannot name a file or the file was not written.
bool WriteDevicePresetTexts(std::string_view gbkName, const std::vector<PresetText>& presets);
