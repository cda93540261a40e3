#include "devices/AddressChoices.h"

#include "devices/ElementTypeText.h"
#include "support/TableGroups.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

AddressRules LampLike()
{
    AddressRules rules;
    rules.types = {BitElementType};
    rules.zeroGroups = {"VX-M"};
    rules.zeroPlace = ZeroNamePlace::AfterFirstElement;
    return rules;
}

AddressRules FuncKeyLike()
{
    AddressRules rules;
    rules.types = {BitElementType, Word16ElementType, Word32ElementType};
    rules.bitOrWordTypes = true;
    rules.zeroGroups = {"VX-M", "VX-D"};
    rules.emptyNameForEmptyGroup = true;
    return rules;
}

const AddressTable kTable = {
    MakeGroup("VX-M", BitElementType, WordBitMode, {{"M0", 0, 0}, {"M1", 0, 1}}),
    MakeGroup("X", BitElementType, CoilOrMultiWriteMode, {{"X0", 0x10, 0}}),
    MakeGroup("EMPTY", BitElementType, CoilOrMultiWriteMode),
    MakeGroup("VX-D", Word16ElementType, SingleWriteMode, {{"D0", 0x100, 0}, {"D1", 0x101, 0}, {"D5", 0x105, 0}}),
    MakeGroup("VX-M", Word32ElementType, CoilOrMultiWriteMode, {{"Late", 0, 0}}),
};

} // namespace

TEST(AddressChoices, ResetListsTheGroupsOfTheWidthAndTheFirstGroupsNames)
{
    // No group of the width: both lists are empty.
    const AddressChoices none = ResetAddressChoices({}, LampLike(), BitElementType);
    EXPECT_EQ(none.types, std::vector<int>{BitElementType});
    EXPECT_TRUE(none.groups.empty());
    EXPECT_TRUE(none.names.empty());

    const AddressChoices lamp = ResetAddressChoices(kTable, LampLike(), BitElementType);
    EXPECT_EQ(lamp.groups, (Names{"VX-M", "X", "EMPTY"}));
    EXPECT_EQ(lamp.names, (Names{"M0", "0"}));

    const AddressChoices key = ResetAddressChoices(kTable, FuncKeyLike(), Word16ElementType);
    EXPECT_EQ(key.types, (std::vector<int>{Word16ElementType, Word32ElementType}));
    EXPECT_EQ(ResetAddressChoices(kTable, FuncKeyLike(), BitElementType).types, std::vector<int>{BitElementType});
    EXPECT_EQ(key.groups, (Names{"VX-D"}));
    EXPECT_EQ(key.names, (Names{"0", "D0"}));

    // A "0" group without elements offers "0" alone; other groups no "0".
    AddressTable emptyZero = {MakeGroup("VX-M", BitElementType, WordBitMode)};
    EXPECT_EQ(ResetAddressChoices(emptyZero, LampLike(), BitElementType).names, Names{"0"});
    AddressRules plain = LampLike();
    plain.zeroGroups.clear();
    EXPECT_EQ(ResetAddressChoices(kTable, plain, BitElementType).names, Names{"M0"});
}

TEST(AddressChoices, SelectionShowsTheElementAndCompletesEmptyNames)
{
    const std::string bit = ElementTypeText(BitElementType);

    const AddressSelection bound = SelectElementAddress(kTable, LampLike(), 0, bit, {"X", "X0"});
    EXPECT_EQ(bound.typeIndex, 0);
    EXPECT_EQ(bound.groupIndex, 1);
    EXPECT_EQ(bound.names.group, "X");
    EXPECT_EQ(bound.names.element, "X0");

    // An empty group takes the first group of the width and its first element.
    const AddressSelection fresh = SelectElementAddress(kTable, LampLike(), 0, bit, {"", ""});
    EXPECT_EQ(fresh.groupIndex, 0);
    EXPECT_EQ(fresh.names.group, "VX-M");
    EXPECT_EQ(fresh.names.element, "M0");

    // A name missing from a known group is kept; an empty one is completed.
    EXPECT_EQ(SelectElementAddress(kTable, LampLike(), 0, bit, {"X", "Gone"}).names.element, "Gone");
    EXPECT_EQ(SelectElementAddress(kTable, LampLike(), 0, bit, {"X", ""}).names.element, "X0");

    // A group the table no longer holds: no entry, names kept.
    const AddressSelection gone = SelectElementAddress(kTable, LampLike(), 0, bit, {"OLD", "O1"});
    EXPECT_EQ(gone.groupIndex, -1);
    EXPECT_EQ(gone.names.group, "OLD");
    EXPECT_EQ(gone.names.element, "O1");

    // A type text the page does not offer shows no type.
    EXPECT_EQ(SelectElementAddress(kTable, LampLike(), 0, ElementTypeText(16), {"X", "X0"}).typeIndex, -1);

    // No group of the width: nothing to complete.
    const AddressSelection empty = SelectElementAddress({}, LampLike(), 0, bit, {"", ""});
    EXPECT_EQ(empty.groupIndex, -1);
    EXPECT_EQ(empty.names.group, "");
    EXPECT_EQ(empty.names.element, "");
}

TEST(AddressChoices, TypeAndGroupChoicesRebindTheNames)
{
    const TypeChoice word = ChooseElementType(kTable, Word16ElementType);
    EXPECT_EQ(word.groups, Names{"VX-D"});
    EXPECT_EQ(word.names.group, "VX-D");
    EXPECT_EQ(word.names.element, "D0");
    // The 32-bit "VX-M" is meant, not the bit group of the same name.
    EXPECT_EQ(ChooseElementType(kTable, Word32ElementType).names.element, "Late");
    const TypeChoice none = ChooseElementType({}, Word32ElementType);
    EXPECT_TRUE(none.groups.empty());
    EXPECT_EQ(none.names.group, "");
    EXPECT_EQ(none.names.element, "");

    const AddressNames current{"VX-M", "M1"};
    EXPECT_EQ(ChooseElementGroup(kTable, LampLike(), 0, current, "X").element, "X0");
    EXPECT_EQ(ChooseElementGroup(kTable, LampLike(), 0, current, "VX-M").element, "M1");
    EXPECT_EQ(ChooseElementGroup(kTable, LampLike(), 0, current, "EMPTY").element, "M1");
    EXPECT_EQ(ChooseElementGroup(kTable, FuncKeyLike(), 0, current, "EMPTY").element, "");
    EXPECT_EQ(ChooseElementGroup(kTable, FuncKeyLike(), 0, current, "EMPTY").group, "EMPTY");
    EXPECT_EQ(ChooseElementGroup(kTable, FuncKeyLike(), 32, {"X", "X0"}, "VX-M").element, "Late");
}

TEST(AddressChoices, TwoRegisterValuesNeedTheNextWordInTheGroup)
{
    EXPECT_TRUE(MayBindElementName(kTable, 16, "VX-D", "D0", true));
    // D5 has no element at 0x106: a count of 2 keeps the old name.
    EXPECT_FALSE(MayBindElementName(kTable, 16, "VX-D", "D5", true));
    EXPECT_TRUE(MayBindElementName(kTable, 16, "VX-D", "D5", false));
    EXPECT_FALSE(MayBindElementName(kTable, 16, "VX-D", "D9", false));
    EXPECT_FALSE(MayBindElementName(kTable, 16, "NONE", "D0", false));
    // Names compare exactly.
    EXPECT_FALSE(MayBindElementName(kTable, 16, "vx-d", "D0", false));
    EXPECT_FALSE(MayBindElementName(kTable, 16, "VX-D", "d0", false));

    EXPECT_EQ(GroupElementNames(kTable, 16, "VX-D"), (Names{"D0", "D1", "D5"}));
    EXPECT_TRUE(GroupElementNames(kTable, 16, "NONE").empty());
}

TEST(AddressChoices, AGroupNameMeansTheGroupOfTheElementsWidth)
{
    // Two groups named "VX-M": a bit group first, then a 32-bit group.
    EXPECT_EQ(ResetAddressChoices(kTable, FuncKeyLike(), 32).names, (Names{"0", "Late"}));
    EXPECT_EQ(GroupElementNames(kTable, 32, "VX-M"), Names{"Late"});
    EXPECT_EQ(GroupElementNames(kTable, 0, "VX-M"), (Names{"M0", "M1"}));
    EXPECT_TRUE(MayBindElementName(kTable, 32, "VX-M", "Late", false));
    EXPECT_FALSE(MayBindElementName(kTable, 32, "VX-M", "M0", false));
    const AddressSelection selection =
        SelectElementAddress(kTable, FuncKeyLike(), 32, ElementTypeText(32), {"VX-M", ""});
    EXPECT_EQ(selection.names.element, "Late");
    // A group of another width is still found by its name.
    EXPECT_EQ(GroupElementNames(kTable, 16, "X"), Names{"X0"});
}

TEST(AddressChoices, OnlyQm4DevicesWarnForGroupsNAndS)
{
    EXPECT_TRUE(IsQm4OnlyGroup("QM4-232.dll", "N"));
    EXPECT_TRUE(IsQm4OnlyGroup("QM4-232.dll", "S"));
    EXPECT_FALSE(IsQm4OnlyGroup("QM4-232.dll", "X"));
    EXPECT_FALSE(IsQm4OnlyGroup("ModBus Slave.dll", "S"));
}
