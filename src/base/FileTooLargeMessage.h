#pragma once

#include "base/FileIo.h"

#include <string>

// ReadBoundedFile that tells the user of a file refused for its size, one
// larger than any valid file of its kind: the path (UTF-8), then
// IdsFileTooLarge.
FileContents ReadBoundedFileWithMessage(const std::string& path, std::uint64_t maxBytes);
