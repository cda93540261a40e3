#include "devices/DeviceNameRules.h"

#include "StringIds.h"
#include "base/ProgramPaths.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// Looks at single-byte characters only: the second byte of a GBK character
// can equal "\" or "|" without being one.
bool HasForbiddenCharacter(std::string_view name)
{
    constexpr std::string_view forbidden = "\\/:?><|*\"";
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte >= 0x80)
            ++i;
        else if (forbidden.find(name[i]) != std::string_view::npos)
            return true;
    }
    return false;
}

bool DeviceFileExists(std::string_view name)
{
    return QFileInfo::exists(QString::fromStdString(DeviceTablePath(name)));
}

} // namespace

int DeviceNameRefusal(std::string_view name, const std::vector<std::string>& deviceNames)
{
    if (name.empty())
        return IdsDeviceNameEmpty;
    if (HasForbiddenCharacter(name) || !IsSafeDeviceName(name))
        return IdsDeviceNameBadCharacters;
    if (std::find(deviceNames.begin(), deviceNames.end(), name) != deviceNames.end() || DeviceFileExists(name))
        return IdsDeviceExists;
    return 0;
}
