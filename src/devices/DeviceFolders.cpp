#include "devices/DeviceFolders.h"

#include "base/GbkText.h"
#include "base/ProgramPaths.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr std::string_view kDeviceFileEnd = "Communication.add";

} // namespace

std::vector<std::string> ListDeviceNames()
{
    const QDir folder(QString::fromStdString(DeviceFolder()));
    std::vector<std::string> names;
    const QStringList files = folder.entryList({QStringLiteral("*") + QString::fromUtf8(kDeviceFileEnd)},
                                               QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const std::string name = GbkFromQString(file);
        // The name filter ignores case; the device file's name does not.
        if (name.size() > kDeviceFileEnd.size() && std::string_view(name).ends_with(kDeviceFileEnd))
            names.push_back(name.substr(0, name.size() - kDeviceFileEnd.size()));
    }
    return names;
}

std::vector<std::string> OfferedProtocolNames(const std::vector<std::string>& installed)
{
    static constexpr std::array<std::string_view, 3> kLeftOut = {"QM4.dll", "QM4LAD.dll", "QM4V3.dll"};
    std::vector<std::string> offered;
    for (const std::string& name : installed)
        if (std::find(kLeftOut.begin(), kLeftOut.end(), name) == kLeftOut.end())
            offered.push_back(name);
    return offered;
}
