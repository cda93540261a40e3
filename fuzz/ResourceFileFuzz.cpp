// Feeds arbitrary bytes to the check of the resource file: whatever it takes
// as sound must register with Qt and read back whole (every directory
// listed, every file opened and read) without a crash or a sanitizer report.
#include "shell/ResourceFileCheck.h"

#include <QDirIterator>
#include <QFile>
#include <QResource>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!IsSoundResourceFile(bytes))
        return 0;
    const QString root = QStringLiteral("/fuzzed");
    const auto* registered = reinterpret_cast<const uchar*>(bytes.data());
    if (!QResource::registerResource(registered, root))
        return 0;
    QDirIterator it(":" + root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            file.readAll();
    }
    QResource::unregisterResource(registered, root);
    return 0;
}
