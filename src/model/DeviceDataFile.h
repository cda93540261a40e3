#pragma once

#include "model/FileIo.h"
#include "model/FormatError.h"

#include <optional>
#include <string>
#include <string_view>

// Reading and writing of the small per-device binary files (presets), whose
// folders may not exist yet on a fresh installation.

// `parse` applied to the whole file at `path`; nothing when the file cannot
// be read or `parse` finds it damaged.
template <class Parse>
auto ReadDeviceDataFile(const std::string& path, Parse parse)
    -> std::optional<decltype(parse(std::string_view{}))>
{
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes)
        return std::nullopt;
    try {
        return parse(*bytes);
    } catch (const FormatError&) {
        return std::nullopt;
    }
}

// Creates the folder of `path` when missing, then writes the file atomically.
bool WriteDeviceDataFile(const std::string& path, std::string_view data);
