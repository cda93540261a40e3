#include "shell/PictureFile.h"

#include "model/elements/DisplayGeometry.h"
#include "shell/BitmapFileCheck.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <string_view>

QImage ReadPictureFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPictureFileBytes)
        return {};
    QByteArray bytes = file.readAll();
    if (!IsWholeBitmapFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return {};
    // The bytes checked are the bytes decoded: the reader decides the format
    // from them, never from the file's name.
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
