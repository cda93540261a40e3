#include "devices/AddressNameCompletion.h"

#include "support/TableGroups.h"

#include <gtest/gtest.h>

namespace {

// Bit groups "M" and "EMPTY" (no elements), a 16-bit "D", and a 32-bit group
// that repeats the name "M".
const AddressTable kTable = {
    MakeGroup("M", BitElementType, WordBitMode, {{"M0", 0x10, 0}, {"M1", 0x10, 1}}),
    MakeGroup("EMPTY", BitElementType, CoilOrMultiWriteMode),
    MakeGroup("D", Word16ElementType, SingleWriteMode, {{"D0", 0x100, 0}}),
    MakeGroup("M", Word32ElementType, CoilOrMultiWriteMode, {{"Late", 0, 0}}),
};

// The first bit group holds no element.
const AddressTable kEmptyFirst = {
    MakeGroup("EMPTY", BitElementType, CoilOrMultiWriteMode),
    MakeGroup("M", BitElementType, WordBitMode, {{"M0", 0x10, 0}}),
};

// A bit group bears the empty name.
const AddressTable kUnnamedBit = {
    MakeGroup("M", BitElementType, WordBitMode, {{"M0", 0x10, 0}}),
    MakeGroup("", BitElementType, WordBitMode, {{"Z0", 0x20, 0}}),
};

// Only a 16-bit group bears the empty name.
const AddressTable kUnnamedWord = {
    MakeGroup("", Word16ElementType, SingleWriteMode, {{"Z0", 0x20, 0}}),
    MakeGroup("M", BitElementType, WordBitMode, {{"M0", 0x10, 0}}),
};

} // namespace

TEST(AddressNameCompletion, CompletesAsAPropertyPageShowsTheElement)
{
    struct Case {
        const char* what;
        const AddressTable& table;
        int width;
        AddressNames names;
        AddressNames completed;
    };
    const AddressTable none;
    const Case cases[] = {
        {"bound names stay", kTable, BitElementType, {"M", "M1"}, {"M", "M1"}},
        {"no names: first group of the width", kTable, BitElementType, {"", ""}, {"M", "M0"}},
        {"no names, 16-bit", kTable, Word16ElementType, {"", ""}, {"D", "D0"}},
        {"a name without a group keeps the name", kTable, BitElementType, {"", "Keep"}, {"M", "Keep"}},
        {"the group of the width is meant", kTable, Word32ElementType, {"M", ""}, {"M", "Late"}},
        {"a group of another width serves", kTable, BitElementType, {"D", ""}, {"D", "D0"}},
        {"a group without elements", kTable, BitElementType, {"EMPTY", ""}, {"EMPTY", ""}},
        {"a group the table does not hold", kTable, BitElementType, {"Gone", ""}, {"Gone", ""}},
        {"a name the group does not hold", kTable, BitElementType, {"M", "Gone"}, {"M", "Gone"}},
        {"no group of the width", kTable, 8, {"", ""}, {"", ""}},
        {"empty table", none, BitElementType, {"", ""}, {"", ""}},
        {"first group without elements", kEmptyFirst, BitElementType, {"", ""}, {"EMPTY", ""}},
        {"the empty name names a group of the width", kUnnamedBit, BitElementType, {"", ""}, {"", ""}},
        {"the empty name of another width", kUnnamedWord, BitElementType, {"", ""}, {"M", "M0"}},
    };
    for (const Case& c : cases) {
        const AddressNames completed = CompleteAddressNames(c.table, c.width, c.names);
        EXPECT_EQ(completed.group, c.completed.group) << c.what;
        EXPECT_EQ(completed.element, c.completed.element) << c.what;
    }
}
