#include "devices/DeviceKeys.h"

#include "devices/AddressFileText.h"
#include "devices/AddressTableFile.h"
#include "base/FileIo.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::string_view kDllNameKey = "DLLNAME:";
constexpr std::string_view kCanEditKey = "CANEDIT:";
constexpr std::string_view kCommBuffKey = "COMMBUFFLTH:";
constexpr std::string_view kHighFrontKey = "HIGHFRONT:";

// The value of a key line: the text after the key up to the first ";";
// empty without one.
std::string_view ValueToSemicolon(std::string_view rest)
{
    const std::size_t end = rest.find(';');
    return end == std::string_view::npos ? std::string_view() : rest.substr(0, end);
}

bool IsOneOf(std::string_view name, const std::array<std::string_view, 17>& names)
{
    for (const auto candidate : names)
        if (candidate == name)
            return true;
    return false;
}

} // namespace

bool IsBuiltInDeviceName(std::string_view gbkName)
{
    static constexpr std::array<std::string_view, 17> kNames = {
        "PN07", "QM4", "QM4ModBus", "QM4V3", "QM4V3ModBus", "CT200", "CT100", "DA14", "DB2400",
        "DB2300", "DB2200", "SRVA001", "DA15", "DA13", "DB2100", "DA12", "DA11",
    };
    return IsOneOf(gbkName, kNames);
}

bool IsSelectionBuiltInDeviceName(std::string_view gbkName)
{
    static constexpr std::array<std::string_view, 17> kNames = {
        "PN07", "QM4", "QM4V3", "QM4ModBus", "QM4V3ModBus", "CT200", "CT100", "DA14", "DB2400",
        "DB2300", "DB2500", "SRVA002", "DA13", "DA15", "DB2100", "DA12", "DA11",
    };
    return IsOneOf(gbkName, kNames);
}

bool ReadDeviceKeys(std::string_view fileBytes, DeviceKeys& keys, KeyNumberEnd end)
{
    const auto number = [end](std::string_view rest) {
        return LeadingDecimal(end == KeyNumberEnd::Semicolon ? ValueToSemicolon(rest) : rest);
    };
    bool dllNameFound = false;
    ForEachLine(fileBytes, [&](std::string_view raw) {
        const std::string_view line = TrimLeft(raw);
        if (line.starts_with(kDllNameKey)) {
            keys.dllName = std::string(ValueToSemicolon(line.substr(kDllNameKey.size())));
            dllNameFound = !keys.dllName.empty();
        } else if (line.starts_with(kCanEditKey)) {
            keys.canEdit = number(line.substr(kCanEditKey.size()));
        } else if (line.starts_with(kCommBuffKey)) {
            keys.commBuffLength =
                std::clamp(number(line.substr(kCommBuffKey.size())), kMinCommBuffLength, kMaxCommBuffLength);
        } else if (line.starts_with(kHighFrontKey)) {
            keys.highFront = number(line.substr(kHighFrontKey.size()));
        }
        return true;
    });
    return dllNameFound;
}

std::optional<bool> ReadDeviceKeysFile(const std::string& path, DeviceKeys& keys)
{
    const auto bytes = ReadWholeFile(path, kMaxTableFileBytes);
    if (!bytes)
        return std::nullopt;
    return ReadDeviceKeys(*bytes, keys);
}
