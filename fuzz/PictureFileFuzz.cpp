// Feeds arbitrary bytes, as a ".bmp" file, to the picture tool's reader:
// every input must end in a picture of at most the display's size or a
// refusal, never in a crash, a sanitizer report or memory beyond the reader's
// bounds.
#include "model/elements/DisplayGeometry.h"
#include "shell/PictureFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("input.bmp"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    const QImage picture = ReadPictureFile(path);
    if (!picture.isNull() && (picture.width() > kDisplayWidth || picture.height() > kDisplayHeight))
        std::abort();
    return 0;
}
