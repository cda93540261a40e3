#include "devices/NewGroupRules.h"

#include "StringIds.h"
#include "devices/AddressLookup.h"
#include "devices/AddressTableFile.h"

#include <algorithm>

namespace {

bool IsAscii(std::string_view name)
{
    return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

GroupAccess NewGroupAccess(int elementType, int answer, bool writesSingleRegister, int interval)
{
    switch (elementType) {
    case BitElementType:
        if (answer != NoCoilCommands)
            return {CoilOrMultiWriteMode, 1};
        return {writesSingleRegister ? SingleWriteMode : WordBitMode, 1};
    case Word16ElementType:
        return {answer == WritesSingleRegister ? SingleWriteMode : CoilOrMultiWriteMode, 1};
    default:
        return {CoilOrMultiWriteMode, interval};
    }
}

int NewGroupRefusal(std::string_view name, const AddressTable& groups)
{
    if (name.empty())
        return IdsNewGroupNameEmpty;
    if (!IsAscii(name) || !IsWritableGroupName(name) || name.size() > kMaxGroupNameBytes)
        return IdsGroupNameFormatBad;
    if (FindElementGroupIndex(groups, name) >= 0)
        return IdsGroupNameExists;
    if (groups.size() > kGroupsBeforeLast)
        return IdsTooManyGroups;
    return 0;
}
