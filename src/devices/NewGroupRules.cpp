#include "devices/NewGroupRules.h"

#include "devices/AddressLookup.h"
#include "devices/AddressTableFile.h"

#include <algorithm>

namespace {

constexpr int kMsgNameEmpty = 61231;    // "元件组名不能为空!"
constexpr int kMsgNameForm = 61279;     // "此元件组名格式错误!"
constexpr int kMsgNameExists = 61280;   // "此元件组名已经存在!"
constexpr int kMsgTooManyGroups = 61277; // "元件组太多!"

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
        return kMsgNameEmpty;
    if (!IsAscii(name) || !IsWritableGroupName(name) || name.size() > kMaxGroupNameBytes)
        return kMsgNameForm;
    if (FindElementGroupIndex(groups, name) >= 0)
        return kMsgNameExists;
    if (groups.size() > kGroupsBeforeLast)
        return kMsgTooManyGroups;
    return 0;
}
