#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Pixel data of picture records. A record states the depth its pixels were
// saved with: 1 bit per dot (rows of bits, most significant first, 1 white,
// rows padded to whole 16-bit words) or 8, 16, 24, 32 bits per dot (rows of
// width x depth / 8 bytes, no padding). The picture reads them as 32 bits
// per dot.

// Whether a record's bitmap can be read: width and height within 192 x 64,
// depth 1, 8, 16, 24 or 32.
bool IsReadablePictureFormat(int bitsPerPixel, int width, int height);

// The number of pixel bytes a record of that format carries. For 1 bit per
// dot a row counts `width` bytes when the width is a multiple of 16 (as the
// files have always been written), otherwise its bits rounded up to whole
// 16-bit words.
std::size_t StoredPixelByteCount(int bitsPerPixel, int width, int height);

// Converts `stored` (StoredPixelByteCount bytes of a readable format) into
// `width` x `height` dots of 32 bits at the start of `store`, which must hold
// them. Each stored dot becomes one dot: white or black from a bit, the
// first colour byte repeated from 8-, 16- and 24-bit dots.
void ConvertStoredPixels(std::string_view stored, int bitsPerPixel, int width, int height,
    std::vector<std::uint8_t>& store);
