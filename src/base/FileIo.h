#pragma once

#include <optional>
#include <string>
#include <string_view>

// Whole-file access for the editor's own files. Paths are UTF-8 with "/"
// separators.

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes `data` to a temporary file in the target's folder and renames it over
// `path` only when every byte was written; on failure the old file is left as
// it was and false is returned.
bool WriteFileAtomically(const std::string& path, std::string_view data);
