#pragma once

#include "model/elements/CScreenElement.h"
#include "model/elements/PicturePixels.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QImage;

// Picture (kind 5): a black-and-white bitmap of at most 192 x 64 dots,
// stretched into the element's box. It has no device address and no station.
//
// The pixels read as a store of 192 x 64 dots of 32 bits (blue, green, red,
// 0; white is FF FF FF 00, black all 0), rows of bitmap-width dots, top row
// first; only the dots given are held, one bit each (PicturePixels), the
// rest read 0. Copies and undo snapshots share one immutable store; changing
// the pixels replaces it. The image drawn is built once when the pixels or
// the bitmap's size change, not on every paint.
class CPictureElement : public CScreenElement {
public:
    static constexpr int kBitsPerPixel = 32;
    static constexpr std::size_t kPixelStoreSize = 192 * 64 * 4;

    CPictureElement();

    ElementKind Kind() const override { return KindPicture; }
    ToolCode Tool() const override { return ToolPicture; }
    void Draw(QPainter& painter, const QRect& display, bool simulating) const override;
    std::string EditorDrawingKey() const override;
    // Rebuilds the bitmap at width x height dots from the pixel store; the
    // element's box takes that size too.
    void SetSize(int width, int height) override;
    // Changes only the box the unchanged bitmap is stretched into (what the
    // picture page does).
    void SetBoxSize(int width, int height) { CScreenElement::SetSize(width, height); }
    // A copy shows the same bitmap (sharing the pixel store and the image)
    // in the same box; it leaves out the station, which a picture has not.
    std::shared_ptr<CScreenElement> Clone() const override;
    void WriteProjectRecord(ByteWriter& out, const CVX50TextDoc& doc) const override;
    // Refuses (FormatError) a bitmap larger than 192 x 64 or a depth other
    // than 1, 8, 16, 24 or 32 bits per dot.
    void ReadProjectRecord(ByteReader& in, CVX50TextDoc& doc, int screenIndex) override;

    // Builds the picture from a record read back from the panel: `dots` holds
    // one byte per dot (0xFF white, 0 black) row by row, of which the first
    // byteCount x 8 are used. Adds it to screen `screenIndex`.
    void LoadFromPanelRecord(CVX50TextDoc& doc, int x, int y, int bitmapWidth, int bitmapHeight, int byteCount,
        std::string_view dots, int screenIndex);

    // The bitmap's own size in dots; 0 x 0 while no picture is loaded.
    int BitmapWidth() const { return m_bitmapWidth; }
    int BitmapHeight() const { return m_bitmapHeight; }
    bool HasBitmap() const { return m_bitmapWidth > 0 && m_bitmapHeight > 0; }
    const PicturePixels& PixelStore() const { return *m_pixels; }
    // Replaces the pixel store (32-bit dots, rows of the bitmap's width);
    // shorter data is padded with zeros, longer data cut.
    void SetPixelStore(const std::vector<std::uint8_t>& pixels);
    // The colour of dot (x, y) of the bitmap as 0xRRGGBB.
    std::uint32_t DotColour(int x, int y) const;

private:
    // The bitmap as an image, built from the pixel store at the first paint
    // after the pixels or the size changed (not while a project loads);
    // null while no picture is loaded. Painting runs on the GUI thread only.
    const QImage* Image() const;

    std::shared_ptr<const PicturePixels> m_pixels;
    int m_bitmapWidth = 0;
    int m_bitmapHeight = 0;
    mutable std::shared_ptr<const QImage> m_image; // cache of Image(), shared by copies
};
