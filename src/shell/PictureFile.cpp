#include "shell/PictureFile.h"

#include "base/FileIo.h"
#include "model/elements/DisplayGeometry.h"
#include "shell/BitmapFileCheck.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Whether placing the picture that `info` claims stays within
// kMaxPictureDecodeMegabytes at its peak. The image reader decodes up to 8
// bits a dot into a 1-bit or an 8-bit image, deeper colour into 32 bits, rows
// padded to 4 bytes. Smooth scaling of a picture larger than the display
// then works on a 32-bit copy, made from a 1-bit or 8-bit image through one
// more copy of it. The scaled picture has at most the display's dots.
// Reckoned from the header alone, so that a few bytes that claim a huge
// picture are never decoded.
bool PlacementFitsTheBound(const BitmapInfo& info)
{
    const auto width = static_cast<std::uint64_t>(std::max<std::int64_t>(info.width, 0));
    const auto height = static_cast<std::uint64_t>(std::llabs(info.height));
    const std::uint64_t decodedBits = info.bitsPerPixel == 1 ? 1 : info.bitsPerPixel <= 8 ? 8 : 32;
    const std::uint64_t decodedRow = (width * decodedBits + 31) / 32 * 4;
    std::uint64_t rowBytes = decodedRow;
    std::uint64_t bound = std::uint64_t{kMaxPictureDecodeMegabytes} << 20;
    if (width > static_cast<std::uint64_t>(kDisplayWidth) || height > static_cast<std::uint64_t>(kDisplayHeight)) {
        rowBytes += (decodedBits < 32 ? decodedRow : 0) + width * 4;
        bound -= std::uint64_t{kDisplayWidth} * kDisplayHeight * 4;
    }
    return height == 0 || rowBytes <= bound / height;
}

} // namespace

QImage ReadPictureFile(const QString& path)
{
    // Read as a regular file only: a FIFO or a device named ".bmp" must not
    // hold the editor waiting for a writer.
    const std::optional<std::string> file = ReadWholeFile(path.toStdString(), kMaxPictureFileBytes);
    if (!file || !IsWholeBitmapFile(*file) || !PlacementFitsTheBound(*ReadBitmapInfo(*file)))
        return {};
    // The bytes checked are the bytes decoded (read in place, not copied):
    // the reader decides the format from them, never from the file's name.
    QByteArray bytes = QByteArray::fromRawData(file->data(), static_cast<qsizetype>(file->size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kMaxPictureDecodeMegabytes);
    if (reader.format() != "bmp")
        return {};
    return PictureOnDisplay(reader.read());
}

QImage PictureOnDisplay(const QImage& image)
{
    const int width = std::min(image.width(), kDisplayWidth);
    const int height = std::min(image.height(), kDisplayHeight);
    if (image.isNull() || image.size() == QSize(width, height))
        return image;
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
