#pragma once

#include "devices/DeviceElement.h"

#include <vector>

// Element types of a group (and of the screen elements bound to it). The
// texts shown for them are strings IdsBitElementType, IdsWord16ElementType
// and IdsWord32ElementType.
enum ElementType : int {
    BitElementType = 0,
    Word16ElementType = 16,
    Word32ElementType = 32,
    // A group that the readers' address repair created to fill the table up
    // to a stored group index, until a record gives it its real type.
    PlaceholderElementType = 255,
};

// Access modes of a group, as the device's commands allow:
//  0  bit group without coil commands: each element is a bit of a word (word.bit)
//  1  bit group with coil commands (one coil per element, no bit part);
//     16-bit group written only with write-multiple-registers (10H);
//     always 1 for 32-bit groups
//  2  word.bit bit group, or 16-bit group, of a device that accepts
//     write-single-register (06H)
enum AccessMode : int {
    WordBitMode = 0,
    CoilOrMultiWriteMode = 1,
    SingleWriteMode = 2,
};

// One group of a device's address table. The field order is that of the
// address-table file's group line (apart from type and mode, which the file
// writes type first).
struct ElementGroup {
    std::vector<DeviceElement> elements; // in table order
    std::string name;                    // ASCII, unique in the table (the editor's rules)
    int accessMode = CoilOrMultiWriteMode;
    int elementType = BitElementType;
    int interval32 = 1; // address step between consecutive 32-bit elements: 1 or 2

    bool operator==(const ElementGroup&) const = default;
};

// The address table of the project's device, in file order. A group's index
// is the group code that project records and the panel image store in one
// byte, so the table holds at most 256 groups (251 from the editor).
using AddressTable = std::vector<ElementGroup>;

// Groups whose elements are bits of words and whose records store the bit
// as bit + 0x80. Only the mode counts: a 16-bit group of mode 2 qualifies too.
inline bool IsWordBitMode(int accessMode)
{
    return accessMode == WordBitMode || accessMode == SingleWriteMode;
}

// Whether the address-table file writes a bit part for the group's entries:
// bit groups (type below 8) addressed word.bit.
inline bool WritesBitPart(const ElementGroup& group)
{
    return group.elementType < 8 && IsWordBitMode(group.accessMode);
}
