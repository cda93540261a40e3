#pragma once

#include "base/FileIo.h"

#include <string>

// Tells the user that the file at `path` (UTF-8) was not read because it is
// larger than any valid file of its kind: the path, then IdsFileTooLarge.
void ShowFileTooLarge(const std::string& path);

// ReadBoundedFile that shows ShowFileTooLarge for a file refused for its size.
FileContents ReadBoundedFileWithMessage(const std::string& path, std::uint64_t maxBytes);
