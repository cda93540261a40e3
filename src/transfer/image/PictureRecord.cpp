#include "base/ByteWriter.h"
#include "model/elements/CPictureElement.h"
#include "transfer/image/ElementRecordWriters.h"
#include "transfer/image/ImageLayout.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// The source dots [first, end) that target dot `index` of `target` covers
// when `source` dots are stretched onto `target`: at least one.
std::pair<int, int> Covered(int index, int target, int source)
{
    const int first = index * source / target;
    const int end = std::max((index + 1) * source / target, first + 1);
    return {first, std::min(end, source)};
}

// The picture stretched to its box, one flag per dot (row by row): dark where
// any covered dot of the bitmap is not white, so thin dark lines survive a
// shrink. A picture without a bitmap has no dark dot.
std::vector<bool> DarkDots(const CPictureElement& picture, int width, int height)
{
    std::vector<bool> dark(static_cast<std::size_t>(width) * height, false);
    if (!picture.HasBitmap())
        return dark;
    for (int y = 0; y < height; ++y) {
        const auto [rowFirst, rowEnd] = Covered(y, height, picture.BitmapHeight());
        for (int x = 0; x < width; ++x) {
            const auto [colFirst, colEnd] = Covered(x, width, picture.BitmapWidth());
            bool any = false;
            for (int sy = rowFirst; sy < rowEnd && !any; ++sy)
                for (int sx = colFirst; sx < colEnd && !any; ++sx)
                    any = picture.DotColour(sx, sy) != kWhite;
            dark[static_cast<std::size_t>(y) * width + x] = any;
        }
    }
    return dark;
}

} // namespace

// [2][x][y][w][h][bytes per dot][data length LE16][data]: the dots in pages
// of 8 rows, w bytes a page; byte p x w + c holds column c of page p, bit i
// being row 8 x p + i; a set bit is dark.
void AppendPictureRecord(ByteWriter& out, const CPictureElement& picture)
{
    const int width = std::clamp(picture.GetSize().width, 0, 255);
    const int height = std::clamp(picture.GetSize().height, 0, 255);
    const int pages = (height + 7) / 8;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(width) * pages, 0);
    const std::vector<bool> dark = DarkDots(picture, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (dark[static_cast<std::size_t>(y) * width + x])
                data[static_cast<std::size_t>(y / 8) * width + x] |= static_cast<std::uint8_t>(1u << (y % 8));

    out.U8(PictureRecord);
    out.U8(static_cast<std::uint8_t>(picture.GetPosition().x));
    out.U8(static_cast<std::uint8_t>(picture.GetPosition().y));
    out.U8(static_cast<std::uint8_t>(width));
    out.U8(static_cast<std::uint8_t>(height));
    out.U8(CPictureElement::kBitsPerPixel / 8);
    out.U16Le(static_cast<std::uint16_t>(data.size()));
    out.Bytes(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}
