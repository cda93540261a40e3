#include "shell/PictureFile.h"

#include "base/FileIo.h"
#include "model/elements/DisplayGeometry.h"
#include "shell/BitmapFileCheck.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <optional>
#include <string>

QImage ReadPictureFile(const QString& path)
{
    // Read as a regular file only: a FIFO or a device named ".bmp" must not
    // hold the editor waiting for a writer.
    const std::optional<std::string> file = ReadWholeFile(path.toStdString(), kMaxPictureFileBytes);
    if (!file || !IsWholeBitmapFile(*file))
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
