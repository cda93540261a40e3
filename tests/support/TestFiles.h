#pragma once

// Files for tests of the program's readers and writers. Header-only: the Qt
// Tests include it too.

#include "StringIds.h"
#include "StringTable.h"
#include "base/FileIo.h"
#include "base/GbkText.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include <unistd.h>

// The bytes of a file that a test wrote or compares, read without the size
// bounds that the program puts on its own reads.
inline std::optional<std::string> ReadTestFile(const std::string& path)
{
    return ReadWholeFile(path, std::numeric_limits<std::uint64_t>::max());
}

// A file of `size` zero bytes that takes no room on the disk, for files
// larger than any valid one.
inline bool MakeSparseFile(const std::string& path, std::uint64_t size)
{
    return WriteFileAtomically(path, "") && truncate(path.c_str(), static_cast<off_t>(size)) == 0;
}

// The message text that refuses the file at `path` for its size.
inline std::string FileTooLargeText(const std::string& path)
{
    return GbkFromUtf8(path) + StringGbk(IdsFileTooLarge);
}
