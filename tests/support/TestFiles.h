#pragma once

// Files for tests of the program's readers and writers. Header-only: the Qt
// Tests include it too.

#include "StringIds.h"
#include "base/FileIo.h"
#include "base/GbkText.h"
#include "base/StringTable.h"

#include <chrono>
#include <cstdint>
#include <future>
#include <limits>
#include <optional>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
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

// A FIFO at `path` without a writer: opening it for reading in the usual way
// waits for one.
inline bool MakeFifo(const std::string& path)
{
    return mkfifo(path.c_str(), 0600) == 0;
}

// Whether `reading`, a read of the FIFO at `path`, ends within five seconds
// on its own. When it still waits, a writer that leaves at once releases it,
// so that the test goes on to its next check instead of hanging.
template <class Result>
bool EndsWithoutAWriter(std::future<Result>& reading, const std::string& path)
{
    if (reading.wait_for(std::chrono::seconds(5)) == std::future_status::ready)
        return true;
    const int writer = open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0)
        close(writer);
    return false;
}
