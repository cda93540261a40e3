#include "settings/AlarmAddressRules.h"

#include "StringIds.h"
#include "devices/AddressLookup.h"

#include <algorithm>
#include <cstdint>

namespace {

// Whether elements [first, first + count) lie within the group; a missing
// group has none.
bool InGroup(const ElementGroup* group, std::int64_t first, std::int64_t count)
{
    return group && first >= 0 && first + count <= static_cast<std::int64_t>(group->elements.size());
}

} // namespace

const ElementGroup* FindAlarmGroup(const AddressTable& table, std::string_view name)
{
    const auto found = std::find_if(table.begin(), table.end(), [name](const ElementGroup& g) { return g.name == name; });
    return found == table.end() ? nullptr : &*found;
}

std::vector<std::string> BitGroupNames(const AddressTable& table)
{
    return GroupNamesOfType(table, BitElementType);
}

bool ElementsContinuous(const DeviceElement& previous, const DeviceElement& next, int accessMode)
{
    if (accessMode == CoilOrMultiWriteMode)
        return next.wordAddress == previous.wordAddress + 1;
    return (next.wordAddress - previous.wordAddress) * 16 + (next.bit - previous.bit) == 1;
}

bool RunContinuous(const ElementGroup& group, int first, int count)
{
    for (int k = 1; k < count; ++k) {
        const auto at = static_cast<std::size_t>(first + k);
        if (!ElementsContinuous(group.elements[at - 1], group.elements[at], group.accessMode))
            return false;
    }
    return true;
}

int CheckGroupChange(const ElementGroup& group, int rows)
{
    const int kept = std::min(rows - 1, static_cast<int>(group.elements.size()));
    return RunContinuous(group, 0, kept) ? 0 : IdsAddressesNotContiguous;
}

int CheckStartElement(const ElementGroup* group, int index, int alarms)
{
    if (!InGroup(group, index, alarms))
        return IdsAddressOutOfTable;
    return RunContinuous(*group, index, alarms) ? 0 : IdsAddressesNotContiguous;
}

int CheckNewAlarm(const ElementGroup* group, int start, int entries)
{
    if (!InGroup(group, start, entries))
        return IdsAddressOutOfTable;
    if (entries > MaxAlarmsPerSegment)
        return IdsAlarmSegmentFull;
    if (entries >= 2 && !RunContinuous(*group, start + entries - 2, 2))
        return IdsAddressesNotContiguous;
    return 0;
}
