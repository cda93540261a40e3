#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "base/FileIo.h"
#include "base/FileTooLargeMessage.h"
#include "base/FormatError.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading and writing of the small per-device binary files (presets), whose
// folders may not exist yet on a fresh installation.

// `parse` applied to the whole file at `path`; nothing when the file cannot
// be read or `parse` finds it damaged. A file of more than `maxBytes` is
// refused with a message, as no valid file is that large.
template <class Parse>
auto ReadDeviceDataFile(const std::string& path, std::uint64_t maxBytes, Parse parse)
    -> std::optional<decltype(parse(std::string_view{}))>
{
    const FileContents file = ReadBoundedFileWithMessage(path, maxBytes);
    if (!file.IsRead())
        return std::nullopt;
    try {
        return parse(file.bytes);
    } catch (const FormatError&) {
        return std::nullopt;
    }
}

// Creates the folder of `path` when missing, then writes the file atomically.
bool WriteDeviceDataFile(const std::string& path, std::string_view data);

// The preset files hold a big-endian record count and the records; an empty
// list is a file of zero bytes. `read` takes one record from a ByteReader
// (throwing FormatError when it breaks the layout), `write` puts one into a
// ByteWriter.
template <class Record, class Read>
std::vector<Record> ParseCountedRecords(std::string_view bytes, Read read)
{
    std::vector<Record> records;
    if (bytes.empty())
        return records;
    ByteReader in(bytes);
    const int count = in.U16Be();
    for (int i = 0; i < count; ++i)
        records.push_back(read(in));
    return records;
}

template <class Record, class Write>
std::string FormatCountedRecords(const std::vector<Record>& records, Write write)
{
    if (records.empty())
        return {};
    // The count field holds at most 65535 records.
    const std::size_t count = std::min<std::size_t>(records.size(), 0xFFFF);
    ByteWriter out;
    out.U16Be(static_cast<std::uint16_t>(count));
    for (std::size_t i = 0; i < count; ++i)
        write(out, records[i]);
    return out.Take();
}
