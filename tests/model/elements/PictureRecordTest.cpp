#include "model/elements/CPictureElement.h"
#include "base/FormatError.h"
#include "model/elements/StoredPixels.h"

#include "model/elements/ElementRecordFixtures.h"

#include <gtest/gtest.h>

namespace {

// A picture record with the given header fields and pixel bytes.
std::string PictureRecord(int bitsPerPixel, int width, int height, const std::string& pixels, int number)
{
    return Bytes({3, 4, 10, 5, bitsPerPixel, height, 1, 0, width, (width * bitsPerPixel / 8) & 0xFF, 0}) + pixels
        + Bytes({number & 0xFF, number >> 8});
}

// The dots of the picture's bitmap, row by row: 'W' white, 'B' black, '?'
// anything else.
std::string Dots(const CPictureElement& picture)
{
    std::string dots;
    for (int y = 0; y < picture.BitmapHeight(); ++y)
        for (int x = 0; x < picture.BitmapWidth(); ++x) {
            const std::uint32_t c = picture.DotColour(x, y);
            dots += c == 0xFFFFFF ? 'W' : c == 0 ? 'B' : '?';
        }
    return dots;
}

const std::string kBlackWhite32 = Bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0});

} // namespace

TEST(PictureRecord, WritesTheGoldenBytesAndReadsThemBack)
{
    CVX50TextDoc doc = DocumentWithTable();
    auto picture = std::make_shared<CPictureElement>();
    std::vector<std::uint8_t> pixels(kBlackWhite32.begin(), kBlackWhite32.end());
    picture->SetPixelStore(pixels);
    picture->SetSize(2, 1);
    picture->SetPosition(3, 4);
    picture->SetBoxSize(10, 5);
    picture->SetStation(9);
    picture->Number = 7;
    const std::string golden = PictureRecord(32, 2, 1, kBlackWhite32, 7);
    EXPECT_EQ(RecordOf(*picture, doc), golden);

    const auto back = ReadRecord<CPictureElement>(golden, doc);
    EXPECT_EQ(back->BitmapWidth(), 2);
    EXPECT_EQ(back->GetSize(), (DotSize{10, 5}));
    EXPECT_EQ(back->Number, 7);
    EXPECT_EQ(back->PixelStore(), picture->PixelStore());
    EXPECT_EQ(RecordOf(*back, doc), golden);
    EXPECT_EQ(doc.Screens[0].Elements.at(0).element, back);

    doc.ReadingVersion = 8;
    const auto old = ReadRecord<CPictureElement>(golden.substr(0, golden.size() - 2), doc);
    EXPECT_EQ(old->Number, 0);
}

TEST(PictureRecord, KeepsEveryByteOfDotsOfMoreThanTwoValues)
{
    // Black and white as saved, grey, and a white with a set fourth byte.
    const std::string pixels = Bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0x80, 0x80, 0x80, 0, 0xFF, 0xFF, 0xFF, 0xFF});
    CVX50TextDoc doc = DocumentWithTable();
    const std::string record = PictureRecord(32, 4, 1, pixels, 2);
    const auto picture = ReadRecord<CPictureElement>(record, doc);
    EXPECT_EQ(RecordOf(*picture, doc), record);
    EXPECT_EQ(Dots(*picture), "BW?W");
}

TEST(PictureRecord, TwoValuedDotsTakeOneBitEach)
{
    CVX50TextDoc doc = DocumentWithTable();
    std::string pixels;
    for (int dot = 0; dot < 192 * 64; ++dot)
        pixels += dot % 3 ? kBlackWhite32.substr(0, 4) : kBlackWhite32.substr(4);
    const std::string record = PictureRecord(32, 192, 64, pixels, 1);
    const auto picture = ReadRecord<CPictureElement>(record, doc);
    EXPECT_EQ(RecordOf(*picture, doc), record);
    EXPECT_LE(picture->PixelStore().HeldBytes(), 192u * 64u / 8u);
}

TEST(PictureRecord, FullSizePictureRecordLength)
{
    CPictureElement picture;
    picture.SetSize(192, 64);
    EXPECT_EQ(RecordOf(picture, DocumentWithTable()).size(), 11u + 49152u + 2u);
}

TEST(PictureRecord, OlderDepthsBecomeBlackAndWhiteDots)
{
    struct Case {
        const char* name;
        int bitsPerPixel;
        int width;
        int height;
        std::string pixels;
        const char* dots;
    };
    const Case cases[] = {
        {"8 bits", 8, 2, 1, Bytes({0xFF, 0x00}), "WB"},
        {"16 bits", 16, 2, 1, Bytes({0xFF, 0x7F, 0x00, 0x12}), "WB"},
        {"24 bits", 24, 2, 1, Bytes({0xFF, 0, 0, 0, 0xFF, 0xFF}), "WB"},
        // width 17: rows of 3 bytes and a padding byte, skipped whatever it holds
        {"1 bit, width 17", 1, 17, 2, Bytes({0x80, 0x00, 0x80, 0x55, 0x00, 0x80, 0x00, 0xAA}),
            "WBBBBBBBBBBBBBBBW" "BBBBBBBBWBBBBBBBB"},
        // width 16: 16 bytes a row are stored, rows start 2 bytes apart
        {"1 bit, width 16", 1, 16, 2, Bytes({0xC0, 0x01, 0x80, 0x00}) + std::string(28, '\0'),
            "WWBBBBBBBBBBBBBW" "WBBBBBBBBBBBBBBB"},
    };
    for (const Case& c : cases) {
        CVX50TextDoc doc = DocumentWithTable();
        ASSERT_EQ(StoredPixelByteCount(c.bitsPerPixel, c.width, c.height), c.pixels.size()) << c.name;
        const auto picture = ReadRecord<CPictureElement>(PictureRecord(c.bitsPerPixel, c.width, c.height, c.pixels, 1), doc);
        EXPECT_EQ(Dots(*picture), c.dots) << c.name;
        // white is FF FF FF 00 in the store
        const std::string store = picture->PixelStore().Bytes(CPictureElement::kPixelStoreSize);
        EXPECT_EQ(store[3], 0) << c.name;
        EXPECT_TRUE(std::all_of(store.begin() + c.width * c.height * 4, store.end(), [](auto b) { return b == 0; }))
            << c.name;
    }
    EXPECT_EQ(StoredPixelByteCount(1, 17, 3), 12u);
    EXPECT_EQ(StoredPixelByteCount(1, 16, 3), 48u);
    EXPECT_EQ(StoredPixelByteCount(1, 25, 1), 4u);
}

TEST(PictureRecord, RefusesFormatsThatDoNotFitThePixelStore)
{
    const std::pair<int, std::pair<int, int>> refused[] = {{4, {8, 8}}, {32, {193, 1}}, {32, {1, 65}}, {0, {1, 1}}};
    for (const auto& [bits, size] : refused) {
        CVX50TextDoc doc = DocumentWithTable();
        const std::string record = PictureRecord(bits, size.first, size.second,
            std::string(StoredPixelByteCount(bits == 4 ? 8 : bits, size.first, size.second), '\0'), 1);
        EXPECT_THROW(ReadRecord<CPictureElement>(record, doc), FormatError) << bits << " " << size.first;
        EXPECT_TRUE(doc.WorkingElements.empty());
    }
    CVX50TextDoc doc = DocumentWithTable();
    EXPECT_THROW(ReadRecord<CPictureElement>(PictureRecord(32, 2, 2, "", 1), doc), FormatError); // short
}

TEST(PictureRecord, CopiesShareThePixelsAndLeaveTheStation)
{
    CPictureElement picture;
    picture.SetPixelStore({0xFF, 0xFF, 0xFF, 0});
    picture.SetSize(1, 1);
    picture.SetStation(5);
    picture.Number = 3;
    const auto copy = std::dynamic_pointer_cast<CPictureElement>(picture.Clone());
    EXPECT_EQ(&copy->PixelStore(), &picture.PixelStore());
    EXPECT_EQ(copy->GetStation(), 1);
    EXPECT_EQ(copy->Number, 3);
    EXPECT_EQ(Dots(*copy), "W");
    picture.SetPixelStore({0, 0, 0, 0});
    EXPECT_EQ(Dots(*copy), "W");
    EXPECT_EQ(Dots(picture), "B");
}

TEST(PicturePanelRecord, BuildsTheBitmapFromDots)
{
    CVX50TextDoc doc = DocumentWithTable();
    auto picture = std::make_shared<CPictureElement>();
    const std::string dots = Bytes({0xFF, 0, 0, 0xFF, 0xFF, 0xFF});
    picture->LoadFromPanelRecord(doc, 2, 3, 3, 2, 1, dots, 0);
    EXPECT_EQ(Dots(*picture), "WBBWWW");
    EXPECT_EQ(picture->GetSize(), (DotSize{3, 2}));
    EXPECT_EQ(picture->GetPosition(), (DotPoint{2, 3}));
    EXPECT_EQ(picture->Number, 0);
    EXPECT_EQ(doc.Screens[0].Elements.size(), 1u);
    EXPECT_THROW(picture->LoadFromPanelRecord(doc, 0, 0, 200, 1, 25, std::string(200, '\0'), 0), FormatError);
}
