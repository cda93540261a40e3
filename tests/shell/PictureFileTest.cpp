// The picture tool's file: Windows bitmaps only, taken whole, their cost
// bounded whatever the file claims.

#include "shell/BitmapFileCheck.h"
#include "shell/PictureFile.h"

#include "base/FileIo.h"
#include "support/HeapUse.h"
#include "support/TestFiles.h"
#include "model/elements/DisplayGeometry.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdint>
#include <future>
#include <iostream>
#include <string>

namespace {

std::string Saved(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes.toStdString();
}

QImage Checkerboard(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x + y) % 2 ? 0xFFFFFFFF : 0xFF000000);
    return image.convertToFormat(format);
}

void PutLe(std::string& bytes, std::size_t at, int size, std::uint32_t value)
{
    for (int k = 0; k < size; ++k, value >>= 8)
        bytes.at(at + static_cast<std::size_t>(k)) = static_cast<char>(value & 0xFF);
}

// An 8-bit run-length bitmap of `width` x `height` with the given runs after
// a two-colour palette.
std::string Rle8Bitmap(int width, int height, const std::string& runs)
{
    std::string bytes(14 + 40 + 8, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe(bytes, 10, 4, 14 + 40 + 8);
    PutLe(bytes, 14, 4, 40);
    PutLe(bytes, 18, 4, static_cast<std::uint32_t>(width));
    PutLe(bytes, 22, 4, static_cast<std::uint32_t>(height));
    PutLe(bytes, 26, 2, 1);
    PutLe(bytes, 28, 2, 8);
    PutLe(bytes, 30, 4, 1); // RLE8
    PutLe(bytes, 46, 4, 2); // colours used
    PutLe(bytes, 58, 4, 0xFFFFFF); // colour 1 white
    bytes += runs;
    PutLe(bytes, 2, 4, static_cast<std::uint32_t>(bytes.size()));
    return bytes;
}

// An uncompressed bitmap of `width` x `height` black dots, `bits` a dot
// (1 or 24).
std::string BlackBitmap(int width, int height, int bits)
{
    const std::size_t palette = bits == 1 ? 8 : 0;
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    std::string bytes(14 + 40 + palette + rowBytes * static_cast<std::size_t>(height), '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe(bytes, 2, 4, static_cast<std::uint32_t>(bytes.size()));
    PutLe(bytes, 10, 4, static_cast<std::uint32_t>(14 + 40 + palette));
    PutLe(bytes, 14, 4, 40);
    PutLe(bytes, 18, 4, static_cast<std::uint32_t>(width));
    PutLe(bytes, 22, 4, static_cast<std::uint32_t>(height));
    PutLe(bytes, 26, 2, 1);
    PutLe(bytes, 28, 2, static_cast<std::uint32_t>(bits));
    return bytes;
}

class PictureFile : public ::testing::Test {
protected:
    QImage Read(const std::string& bytes, const char* name = "picture.bmp")
    {
        const QString path = m_folder.filePath(name);
        EXPECT_TRUE(WriteFileAtomically(path.toStdString(), bytes));
        return ReadPictureFile(path);
    }

    QTemporaryDir m_folder;
};

TEST_F(PictureFile, BitmapsAreTakenAndLargerOnesScaledToTheDisplay)
{
    const struct {
        const char* what;
        QImage image;
        QSize taken;
    } cases[] = {
        {"24-bit", Checkerboard(48, 24), {48, 24}},
        {"1-bit", Checkerboard(17, 5, QImage::Format_Mono), {17, 5}},
        {"8-bit", Checkerboard(30, 30, QImage::Format_Indexed8), {30, 30}},
        {"wider and taller than the display", Checkerboard(400, 100), {192, 64}},
        {"taller only", Checkerboard(20, 300), {20, 64}},
    };
    for (const auto& c : cases) {
        const std::string file = Saved(c.image, "BMP");
        EXPECT_TRUE(IsWholeBitmapFile(file)) << c.what;
        const QImage read = Read(file);
        EXPECT_EQ(read.size(), c.taken) << c.what;
        if (c.taken == c.image.size()) {
            EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), c.image.convertToFormat(QImage::Format_RGB32))
                << c.what;
        }
    }

    // Run-length bitmaps: 2 x 2 dots, a run of two white, a line end, a black
    // and a white run, the end mark.
    const std::string rle = Rle8Bitmap(2, 2, std::string("\x02\x01\x00\x00\x01\x00\x01\x01\x00\x01", 10));
    EXPECT_EQ(Read(rle).size(), QSize(2, 2));
}

TEST_F(PictureFile, OtherFormatsAndCutBitmapsAreRefused)
{
    const QImage picture = Checkerboard(40, 20);
    EXPECT_TRUE(Read(Saved(picture, "PNG"), "renamed.bmp").isNull());
    EXPECT_TRUE(Read(Saved(picture, "PPM"), "renamed.bmp").isNull());
    EXPECT_TRUE(Read("", "empty.bmp").isNull());
    EXPECT_TRUE(ReadPictureFile(m_folder.filePath("missing.bmp")).isNull());

    const std::string whole = Saved(picture, "BMP");
    for (const std::size_t cut : {std::size_t{2}, std::size_t{20}, std::size_t{54}, whole.size() / 2, whole.size() - 1})
        EXPECT_TRUE(Read(whole.substr(0, cut)).isNull()) << "cut to " << cut;

    // A run-length stream without its end mark.
    EXPECT_TRUE(Read(Rle8Bitmap(2, 2, std::string("\x02\x01\x00\x00\x02\x01", 6))).isNull());
}

TEST_F(PictureFile, HeadersThatDoNotDescribeAWholeBitmapAreRefused)
{
    const std::string good = Saved(Checkerboard(8, 8), "BMP");
    ASSERT_TRUE(IsWholeBitmapFile(good));
    const struct {
        const char* what;
        std::size_t at;
        int size;
        std::uint32_t value;
    } cases[] = {
        {"not BM", 0, 1, 'P'},
        {"unknown info header", 14, 4, 20},
        {"no width", 18, 4, 0},
        {"negative width", 18, 4, 0xFFFFFFF8},
        {"no height", 22, 4, 0},
        {"7 bits a dot", 28, 2, 7},
        {"JPEG inside", 30, 4, 4},
        {"PNG inside", 30, 4, 5},
        {"pixels after the end", 10, 4, 0x7FFFFFFF},
    };
    for (const auto& c : cases) {
        std::string bad = good;
        PutLe(bad, c.at, c.size, c.value);
        EXPECT_FALSE(IsWholeBitmapFile(bad)) << c.what;
    }
    // A claim of 5000 x 5000 dots.
    std::string huge = good;
    PutLe(huge, 18, 4, 5000);
    PutLe(huge, 22, 4, 5000);
    EXPECT_FALSE(IsWholeBitmapFile(huge)) << "5000 x 5000 claimed";
    // A top-down bitmap (negative height) is whole as well.
    std::string topDown = good;
    PutLe(topDown, 22, 4, static_cast<std::uint32_t>(-8));
    EXPECT_TRUE(IsWholeBitmapFile(topDown));
}

// A few bytes of run-length data may claim any size; decoding is bounded.
TEST_F(PictureFile, HugeClaimedPictureIsRefusedNotDecoded)
{
    const std::string huge = Rle8Bitmap(20000, 20000, std::string("\x00\x01", 2));
    EXPECT_TRUE(IsWholeBitmapFile(huge));
    EXPECT_TRUE(Read(huge).isNull());
}

// Whatever its header claims, placing a picture (decoding, converting and
// scaling it) takes at most the decoding bound beyond the file's own bytes,
// measured at its peak; a claim that would pass the bound is refused before
// anything is decoded.
TEST_F(PictureFile, PlacingAPictureStaysWithinTheDecodingBound)
{
    constexpr std::size_t kBound = std::size_t{kMaxPictureDecodeMegabytes} << 20;
    const std::string end("\x00\x01", 2);
    const struct {
        const char* what;
        std::string file;
        bool placed;
    } cases[] = {
        {"a few bytes claiming 5792 x 5792 dots", Rle8Bitmap(5792, 5792, end), false},
        {"8-bit, as large as the bound lets", Rle8Bitmap(4096, 5459, end), true},
        {"8-bit, one row more", Rle8Bitmap(4096, 5460, end), false},
        {"1-bit, as large as the bound lets", BlackBitmap(4096, 7707, 1), true},
        {"1-bit, one row more", BlackBitmap(4096, 7708, 1), false},
        {"24-bit, 4000 x 4000", BlackBitmap(4000, 4000, 24), true},
    };
    // The image reader's one-time start is no picture's cost.
    ASSERT_FALSE(Read(Saved(Checkerboard(8, 8), "BMP")).isNull());
    for (const auto& c : cases) {
        const QString path = m_folder.filePath("picture.bmp");
        ASSERT_TRUE(WriteFileAtomically(path.toStdString(), c.file));
        QImage picture;
        const std::size_t peak = HeapPeakDuring([&] { picture = ReadPictureFile(path); });
        EXPECT_EQ(!picture.isNull(), c.placed) << c.what;
        EXPECT_LE(peak, c.file.size() + kBound) << c.what;
        if (c.placed)
            EXPECT_EQ(picture.size(), QSize(kDisplayWidth, kDisplayHeight)) << c.what;
        else
            EXPECT_LT(peak, c.file.size() + (std::size_t{1} << 20)) << c.what << ": decoded before it was refused";
        std::cout << c.what << ": peak " << (peak >> 20) << " MiB\n";
    }
}

// A FIFO has no end until a writer comes; reading one would hold the editor.
TEST_F(PictureFile, FifoNamedAsABitmapIsRefusedWithoutWaiting)
{
    const std::string fifo = m_folder.filePath("waiting.bmp").toStdString();
    ASSERT_TRUE(MakeFifo(fifo));
    auto read = std::async(std::launch::async, [&] { return ReadPictureFile(QString::fromStdString(fifo)); });
    EXPECT_TRUE(EndsWithoutAWriter(read, fifo)) << "reading the FIFO waited for a writer";
    EXPECT_TRUE(read.get().isNull());
}

} // namespace
