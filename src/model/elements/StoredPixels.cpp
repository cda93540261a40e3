#include "model/elements/StoredPixels.h"

#include <algorithm>

namespace {

constexpr int kMaxWidth = 192;
constexpr int kMaxHeight = 64;

void PutDot(std::vector<std::uint8_t>& store, std::size_t dot, std::uint8_t grey)
{
    std::uint8_t* p = store.data() + dot * 4;
    p[0] = p[1] = p[2] = grey;
    p[3] = 0;
}

} // namespace

bool IsReadablePictureFormat(int bitsPerPixel, int width, int height)
{
    const bool depthKnown = bitsPerPixel == 1 || bitsPerPixel == 8 || bitsPerPixel == 16 || bitsPerPixel == 24
        || bitsPerPixel == 32;
    return depthKnown && width >= 0 && width <= kMaxWidth && height >= 0 && height <= kMaxHeight;
}

std::size_t StoredPixelByteCount(int bitsPerPixel, int width, int height)
{
    long long count;
    if (bitsPerPixel == 1)
        count = static_cast<long long>(height) * (width % 16 == 0 ? width : (width + 15) / 16 * 2);
    else
        count = static_cast<long long>(bitsPerPixel) * width / 8 * height;
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

void ConvertStoredPixels(std::string_view stored, int bitsPerPixel, int width, int height,
    std::vector<std::uint8_t>& store)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(stored.data());
    const std::size_t dots = static_cast<std::size_t>(width) * height;
    if (bitsPerPixel == 32) {
        std::copy_n(bytes, dots * 4, store.begin());
    } else if (bitsPerPixel == 1) {
        // A row's bits start on a byte; rows whose width leaves 1 to 8 bits
        // in their last 16-bit word carry one padding byte after them.
        const std::size_t rowBytes = (static_cast<std::size_t>(width) + 7) / 8;
        const int rest = width % 16;
        const std::size_t stride = rowBytes + (rest >= 1 && rest <= 8 ? 1 : 0);
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = bytes + stride * static_cast<std::size_t>(y);
            for (int x = 0; x < width; ++x) {
                const bool white = (row[x / 8] >> (7 - x % 8)) & 1;
                PutDot(store, static_cast<std::size_t>(y) * width + x, white ? 0xFF : 0);
            }
        }
    } else {
        const std::size_t size = static_cast<std::size_t>(bitsPerPixel / 8);
        for (std::size_t dot = 0; dot < dots; ++dot)
            PutDot(store, dot, bytes[dot * size]);
    }
}
