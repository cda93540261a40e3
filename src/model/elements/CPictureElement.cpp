#include "model/elements/CPictureElement.h"

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "model/CVX50TextDoc.h"
#include "base/FormatError.h"
#include "model/elements/StoredPixels.h"

#include <algorithm>

namespace {

std::shared_ptr<const PicturePixels> EmptyStore()
{
    static const auto empty = std::make_shared<const PicturePixels>();
    return empty;
}

// The pixels of a store whose first bytes are `bytes` (at most a store).
std::shared_ptr<const PicturePixels> StoreOf(const std::vector<std::uint8_t>& bytes)
{
    return std::make_shared<const PicturePixels>(std::string_view(reinterpret_cast<const char*>(bytes.data()),
        std::min(bytes.size(), CPictureElement::kPixelStoreSize)));
}

void RequireReadable(int bitsPerPixel, int width, int height)
{
    if (!IsReadablePictureFormat(bitsPerPixel, width, height))
        throw FormatError("picture of " + std::to_string(width) + " x " + std::to_string(height) + " dots at "
            + std::to_string(bitsPerPixel) + " bits per dot");
}

} // namespace

CPictureElement::CPictureElement() : m_pixels(EmptyStore()) {}

void CPictureElement::SetSize(int width, int height)
{
    CScreenElement::SetSize(width, height);
    // The bitmap never reaches past the pixel store.
    m_bitmapWidth = std::clamp(width, 0, 192);
    m_bitmapHeight = std::clamp(height, 0, 64);
    m_image.reset();
}

void CPictureElement::SetPixelStore(const std::vector<std::uint8_t>& pixels)
{
    m_pixels = StoreOf(pixels);
    m_image.reset();
}

std::uint32_t CPictureElement::DotColour(int x, int y) const
{
    return m_pixels->Dot(static_cast<std::size_t>(y) * m_bitmapWidth + x) & 0xFFFFFF;
}

std::shared_ptr<CScreenElement> CPictureElement::Clone() const
{
    auto copy = UnselectedCopy(*this);
    copy->SetStation(kNewStation);
    return copy;
}

void CPictureElement::WriteProjectRecord(ByteWriter& out, const CVX50TextDoc&) const
{
    WriteRecordBox(out);
    out.U8(kBitsPerPixel);
    out.U8(static_cast<std::uint8_t>(m_bitmapHeight));
    out.U8(1); // planes
    out.U8(0); // bitmap type
    out.U8(static_cast<std::uint8_t>(m_bitmapWidth));
    out.U8(static_cast<std::uint8_t>(m_bitmapWidth * kBitsPerPixel / 8));
    out.U8(0);
    const std::size_t n = StoredPixelByteCount(kBitsPerPixel, m_bitmapWidth, m_bitmapHeight);
    out.Bytes(m_pixels->Bytes(n));
    out.U16Le(Number);
}

void CPictureElement::ReadProjectRecord(ByteReader& in, CVX50TextDoc& doc, int screenIndex)
{
    const int x = in.U8();
    const int y = in.U8();
    const int boxWidth = in.U8();
    const int boxHeight = in.U8();
    const int bitsPerPixel = in.U8();
    const int height = in.U8();
    in.Skip(2); // planes, type
    const int width = in.U8();
    in.Skip(2); // bytes per row, as saved
    RequireReadable(bitsPerPixel, width, height);
    const std::string stored = in.Bytes(StoredPixelByteCount(bitsPerPixel, width, height));

    SetPosition(x, y);
    std::vector<std::uint8_t> store(static_cast<std::size_t>(width) * height * 4);
    ConvertStoredPixels(stored, bitsPerPixel, width, height, store);
    m_pixels = StoreOf(store);
    ReadRecordNumber(in, doc);
    SetSize(width, height);
    SetBoxSize(boxWidth, boxHeight);
    AddToScreen(doc, screenIndex);
}

void CPictureElement::LoadFromPanelRecord(CVX50TextDoc& doc, int x, int y, int bitmapWidth, int bitmapHeight,
    int byteCount, std::string_view dots, int screenIndex)
{
    RequireReadable(kBitsPerPixel, bitmapWidth, bitmapHeight);
    SetPosition(x, y);
    const std::size_t count = std::min({static_cast<std::size_t>(std::max(byteCount, 0)) * 8, dots.size(),
        static_cast<std::size_t>(bitmapWidth) * bitmapHeight});
    std::vector<std::uint8_t> store(count * 4);
    for (std::size_t dot = 0; dot < count; ++dot) {
        std::uint8_t* p = store.data() + dot * 4;
        p[0] = p[1] = p[2] = static_cast<std::uint8_t>(dots[dot]);
    }
    m_pixels = StoreOf(store);
    SetSize(bitmapWidth, bitmapHeight);
    AddToScreen(doc, screenIndex);
}
