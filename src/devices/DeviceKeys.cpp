#include "devices/DeviceKeys.h"

#include "devices/AddressFileText.h"
#include "base/FileIo.h"

#include <array>

namespace {

constexpr std::string_view kDllNameKey = "DLLNAME:";
constexpr std::string_view kCanEditKey = "CANEDIT:";
constexpr std::string_view kCommBuffKey = "COMMBUFFLTH:";
constexpr std::string_view kHighFrontKey = "HIGHFRONT:";

} // namespace

bool IsBuiltInDeviceName(std::string_view gbkName)
{
    static constexpr std::array<std::string_view, 17> kNames = {
        "PN07", "QM4", "QM4ModBus", "QM4V3", "QM4V3ModBus", "CT200", "CT100", "DA14", "DB2400",
        "DB2300", "DB2200", "SRVA001", "DA15", "DA13", "DB2100", "DA12", "DA11",
    };
    for (const auto name : kNames)
        if (name == gbkName)
            return true;
    return false;
}

bool ReadDeviceKeys(std::string_view fileBytes, DeviceKeys& keys)
{
    bool dllNameFound = false;
    ForEachLine(fileBytes, [&](std::string_view raw) {
        const std::string_view line = TrimLeft(raw);
        if (line.starts_with(kDllNameKey)) {
            const std::string_view rest = line.substr(kDllNameKey.size());
            const std::size_t end = rest.find(';');
            keys.dllName = end == std::string_view::npos ? std::string() : std::string(rest.substr(0, end));
            dllNameFound = !keys.dllName.empty();
        } else if (line.starts_with(kCanEditKey)) {
            keys.canEdit = LeadingDecimal(line.substr(kCanEditKey.size()));
        } else if (line.starts_with(kCommBuffKey)) {
            keys.commBuffLength = LeadingDecimal(line.substr(kCommBuffKey.size()));
        } else if (line.starts_with(kHighFrontKey)) {
            keys.highFront = LeadingDecimal(line.substr(kHighFrontKey.size()));
        }
        return true;
    });
    return dllNameFound;
}

std::optional<bool> ReadDeviceKeysFile(const std::string& path, DeviceKeys& keys)
{
    const auto bytes = ReadWholeFile(path);
    if (!bytes)
        return std::nullopt;
    return ReadDeviceKeys(*bytes, keys);
}
