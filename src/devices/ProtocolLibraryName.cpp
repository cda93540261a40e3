#include "devices/ProtocolLibraryName.h"

#include "base/GbkText.h"
#include "base/ProgramPaths.h"

#include <QDir>
#include <stdexcept>

namespace {

constexpr std::string_view StoredSuffix = ".dll";
constexpr std::string_view FilePrefix = "lib";
constexpr std::string_view FileSuffix = ".so";

} // namespace

bool IsSafeProtocolName(std::string_view gbkStoredName)
{
    // Same rule as device names: the name becomes part of a path.
    return IsSafeDeviceName(gbkStoredName);
}

std::string ProtocolFileName(std::string_view gbkStoredName)
{
    if (!IsSafeProtocolName(gbkStoredName))
        throw std::invalid_argument("unsafe protocol library name");
    std::string_view name = gbkStoredName;
    if (name.ends_with(StoredSuffix))
        name.remove_suffix(StoredSuffix.size());
    return std::string(FilePrefix) + Utf8FromGbk(name) + std::string(FileSuffix);
}

std::string StoredProtocolName(std::string_view fileName)
{
    if (fileName.size() <= FilePrefix.size() + FileSuffix.size() || !fileName.starts_with(FilePrefix)
        || !fileName.ends_with(FileSuffix))
        return {};
    const std::string_view name = fileName.substr(FilePrefix.size(), fileName.size() - FilePrefix.size() - FileSuffix.size());
    return GbkFromUtf8(name) + std::string(StoredSuffix);
}

std::vector<std::string> InstalledProtocolNames()
{
    const QDir folder(QString::fromStdString(ProtocolFolder()));
    std::vector<std::string> names;
    const QStringList files = folder.entryList({QStringLiteral("lib*.so")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        std::string stored = StoredProtocolName(file.toStdString());
        if (!stored.empty())
            names.push_back(std::move(stored));
    }
    return names;
}
