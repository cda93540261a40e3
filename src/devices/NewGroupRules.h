#pragma once

#include "devices/ElementGroup.h"

#include <string_view>

// The rules of a new element group: its name, the number of groups a table
// may hold, and the access mode that follows from the dialog's answers.

// The editor accepts a new group while the table holds at most this many.
constexpr int kGroupsBeforeLast = 250;
// Group names are stored as texts of at most this many bytes.
constexpr std::size_t kMaxGroupNameBytes = 255;

// The answer to "是否有读写线圈的通讯命令": the first two for bit and 32-bit
// groups, the last two for 16-bit groups.
enum GroupCommandAnswer : int {
    HasCoilCommands = 0,
    NoCoilCommands = 1,
    WritesSingleRegister = 2, // function code 06H
    WritesMultipleRegisters = 3, // function code 10H only
};

struct GroupAccess {
    int accessMode = CoilOrMultiWriteMode;
    int interval32 = 1;
};

// The mode and 32-bit address interval of a new group of `elementType`:
// a bit group is mode 1 with coil commands, else mode 0, or 2 when the
// device writes single registers; a 16-bit group is mode 2 when it writes
// single registers, else 1; a 32-bit group is mode 1 with `interval`. Only
// 32-bit groups keep the interval; every other group gets 1.
GroupAccess NewGroupAccess(int elementType, int answer, bool writesSingleRegister, int interval);

// Why a new group of `name` is refused (the string id of its message), or 0:
// IdsNewGroupNameEmpty an empty name; IdsGroupNameFormatBad a name that is
// not plain ASCII, holds ";" or a line break, has blanks at either end or is
// longer than kMaxGroupNameBytes; IdsGroupNameExists a group of that name
// exists (exact, case-sensitive); IdsTooManyGroups the table already holds
// more than kGroupsBeforeLast groups.
int NewGroupRefusal(std::string_view name, const AddressTable& groups);
