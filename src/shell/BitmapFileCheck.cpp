#include "shell/BitmapFileCheck.h"

#include "base/ByteOrder.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

enum Compression : std::uint32_t { Uncompressed = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

bool KnownDepth(const BitmapInfo& info)
{
    switch (info.compression) {
    case Uncompressed:
        return info.bitsPerPixel == 1 || info.bitsPerPixel == 4 || info.bitsPerPixel == 8
            || info.bitsPerPixel == 16 || info.bitsPerPixel == 24 || info.bitsPerPixel == 32;
    case BitFields:
        return info.bitsPerPixel == 16 || info.bitsPerPixel == 32;
    case Rle8:
        return info.bitsPerPixel == 8 && info.height > 0;
    case Rle4:
        return info.bitsPerPixel == 4 && info.height > 0;
    default:
        return false;
    }
}

// Walks a run-length stream to its end-of-bitmap mark (0, 1).
bool RunsReachTheirEnd(std::string_view data, bool fourBit)
{
    std::size_t at = 0;
    while (at + 2 <= data.size()) {
        const unsigned count = static_cast<unsigned char>(data[at]);
        const unsigned code = static_cast<unsigned char>(data[at + 1]);
        at += 2;
        if (count != 0 || code == 0)
            continue; // a run, or the end of a line
        if (code == 1)
            return true;
        if (code == 2) {
            at += 2; // a move by (dx, dy)
            continue;
        }
        const std::size_t literal = fourBit ? (code + 1) / 2 : code;
        at += (literal + 1) & ~std::size_t{1}; // literal bytes, padded to a word
    }
    return false;
}

} // namespace

std::optional<BitmapInfo> ReadBitmapInfo(std::string_view bytes)
{
    BitmapInfo info;
    if (!bytes.starts_with("BM") || bytes.size() < kFileHeaderSize + 4)
        return std::nullopt;
    const auto headerSize = static_cast<std::uint32_t>(LittleEndianAt(bytes, kFileHeaderSize, 4));
    if (headerSize == kCoreHeaderSize) {
        if (bytes.size() < kFileHeaderSize + kCoreHeaderSize)
            return std::nullopt;
        info.width = LittleEndianAt(bytes, 18, 2);
        info.height = LittleEndianAt(bytes, 20, 2);
        info.bitsPerPixel = static_cast<std::uint32_t>(LittleEndianAt(bytes, 24, 2));
        return info;
    }
    if (headerSize < kInfoHeaderSize || bytes.size() < kFileHeaderSize + kInfoHeaderSize)
        return std::nullopt;
    info.width = static_cast<std::int32_t>(LittleEndianAt(bytes, 18, 4));
    info.height = static_cast<std::int32_t>(LittleEndianAt(bytes, 22, 4));
    info.bitsPerPixel = static_cast<std::uint32_t>(LittleEndianAt(bytes, 28, 2));
    info.compression = static_cast<std::uint32_t>(LittleEndianAt(bytes, 30, 4));
    return info;
}

bool IsWholeBitmapFile(std::string_view bytes)
{
    const std::optional<BitmapInfo> read = ReadBitmapInfo(bytes);
    if (!read || read->width <= 0 || read->height == 0 || !KnownDepth(*read))
        return false;
    const BitmapInfo& info = *read;
    const std::uint64_t pixelsAt = LittleEndianAt(bytes, 10, 4);
    if (pixelsAt >= bytes.size())
        return false;
    const std::string_view pixels = bytes.substr(pixelsAt);
    if (info.compression == Rle8 || info.compression == Rle4)
        return RunsReachTheirEnd(pixels, info.compression == Rle4);
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(info.width) * info.bitsPerPixel + 31) / 32 * 4;
    return rowBytes * static_cast<std::uint64_t>(std::llabs(info.height)) <= pixels.size();
}
