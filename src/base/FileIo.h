#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Whole-file access for the editor's own files. Paths are UTF-8 with "/"
// separators. Only regular files are read: a device, a FIFO or a folder
// under a file's name reads as unreadable, so that no read waits for a
// writer or grows without end.

// What reading a whole file gave.
struct FileContents {
    enum class Status {
        Read,
        NotReadable, // missing, not a regular file, or a read error
        TooLarge,    // longer than the reader's bound
    };
    Status status = Status::NotReadable;
    std::string bytes; // the file's bytes when Read

    bool IsRead() const { return status == Status::Read; }
};

// The whole file, refused as TooLarge when it holds more than `maxBytes`.
FileContents ReadBoundedFile(const std::string& path, std::uint64_t maxBytes);

// The file's bytes, or nothing when it cannot be read or holds more than
// `maxBytes`.
std::optional<std::string> ReadWholeFile(const std::string& path, std::uint64_t maxBytes);

// The first `count` bytes of a regular file, fewer when it is shorter.
std::optional<std::string> ReadFileStart(const std::string& path, std::size_t count);

// Whether `path` names a regular file that opens for reading.
bool IsReadableFile(const std::string& path);

// Writes `data` to a new temporary file in the target's folder, checks every
// write, flushes it to the disk and renames it over `path`. The target is
// `path`, or where its symbolic links lead (the links stay). Only a regular
// file that the user may write is replaced, or a missing one created in a
// folder the user may write; as root too, a file or folder that grants
// nobody write counts as write-protected. Any other target (a device, a
// FIFO, a folder) or any failure (a full disk, a file-size limit) removes
// the temporary file, leaves the target as it was and returns false.
// Before writing, the temporary files that earlier writes of the same target
// left behind when their process ended part way are removed.
bool WriteFileAtomically(const std::string& path, std::string_view data);
