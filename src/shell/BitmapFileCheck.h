#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// What a bitmap's info header claims.
struct BitmapInfo {
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: rows top first
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
};

// The claims of a file that begins as a Windows bitmap ("BM") with a known
// info header; nothing else is checked.
std::optional<BitmapInfo> ReadBitmapInfo(std::string_view bytes);

// Whether a file's bytes are a whole Windows bitmap ("BM"): a known info
// header (the 12-byte core header or one of 40 bytes and more), a width
// above 0 and a height other than 0, a known colour depth and compression,
// and pixel data that the file holds whole: every row of an uncompressed
// picture, or a run-length stream (RLE8, RLE4) that reaches its
// end-of-bitmap mark inside the file. A picture reader takes a cut file as
// a picture half painted; this check refuses it.
bool IsWholeBitmapFile(std::string_view bytes);
