#include "devices/AddressLookup.h"

#include "support/TableGroups.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// M: word.bit group; Y: coil group; D: 16-bit group of mode 2; then a group
// that repeats the name "Y" and one that differs from "D" only in case.
const AddressTable kTable = {
    MakeGroup("M", BitElementType, WordBitMode, {{"M0", 0x10, 0}, {"M5", 0x10, 5}, {"M21", 0x12, 1}}),
    MakeGroup("Y", BitElementType, CoilOrMultiWriteMode, {{"Y0", 0x20, 0}}),
    MakeGroup("D", Word16ElementType, SingleWriteMode, {{"D0", 0x100, 0}, {"D0b", 0x100, 0}}),
    MakeGroup("Y", BitElementType, WordBitMode, {{"Y9", 0x29, 0}}),
    MakeGroup("d", Word16ElementType, CoilOrMultiWriteMode, {{"d1", 0x1, 0}}),
};

} // namespace

TEST(AddressLookup, EmptyTableGivesTheAbsentValues)
{
    const AddressTable empty;
    EXPECT_EQ(FindElementAddress(empty, "M", "M0"), -1);
    EXPECT_EQ(FindElementBit(empty, "M", "M0"), 0);
    EXPECT_EQ(FindElementGroupIndex(empty, "M"), -1);
    EXPECT_EQ(GetElementGroupMode(empty, "M"), -1);
    EXPECT_EQ(GetElementBitAt(empty, "M", 7), 0);
    EXPECT_EQ(FindElementName(empty, 0x10, 0, 0, 1), "");
}

TEST(AddressLookup, NamesSelectTheFirstGroupExactly)
{
    EXPECT_EQ(FindElementGroupIndex(kTable, "Y"), 1);
    EXPECT_EQ(GetElementGroupMode(kTable, "Y"), CoilOrMultiWriteMode);
    EXPECT_EQ(FindElementAddress(kTable, "Y", "Y0"), 0x20);
    // Only in the second group named Y: not found.
    EXPECT_EQ(FindElementAddress(kTable, "Y", "Y9"), -1);
    EXPECT_EQ(FindElementBit(kTable, "Y", "Y9"), 0);
    // Case matters, and nothing is trimmed.
    EXPECT_EQ(FindElementGroupIndex(kTable, "d"), 4);
    EXPECT_EQ(FindElementGroupIndex(kTable, "D"), 2);
    EXPECT_EQ(FindElementGroupIndex(kTable, "D "), -1);
    EXPECT_EQ(FindElementAddress(kTable, "M", "m5"), -1);
    EXPECT_EQ(FindElementBit(kTable, "M", "M5"), 5);
}

TEST(AddressLookup, ElementBitAtIndexIsRangeChecked)
{
    EXPECT_EQ(GetElementBitAt(kTable, "M", 1), 5);
    EXPECT_EQ(GetElementBitAt(kTable, "M", 2), 1);
    EXPECT_EQ(GetElementBitAt(kTable, "none", 99), 0);
    for (int index : {3, -1}) {
        try {
            GetElementBitAt(kTable, "M", index);
            ADD_FAILURE() << index;
        } catch (const std::out_of_range& e) {
            EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
        }
    }
}

TEST(AddressLookup, NameFromAddressNeedsWordAndBitInThatGroup)
{
    struct Case {
        int word, group, bit, selector;
        const char* name;
    };
    const Case cases[] = {
        {0x10, 0, 5, 1, "M5"}, {0x10, 0, 5, 0, "M"}, {0x10, 0, 5, 7, "M"}, {0x10, 0, 6, 0, ""},
        {0x10, 0, 6, 1, ""},   {0x100, 2, 0, 1, "D0"}, // first match wins
        {0x20, 0, 0, 0, ""},   {0x20, 255, 0, 0, ""},  {0x20, -1, 0, 1, ""}, {0x29, 3, 0, 0, "Y"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindElementName(kTable, c.word, c.group, c.bit, c.selector), c.name)
            << c.word << " " << c.group << " " << c.bit << " " << c.selector;
}

TEST(AddressLookup, AddressCodesAndBack)
{
    struct Case {
        const char* group;
        const char* element;
        int groupByte, word, high, low, bitCode;
    };
    const Case cases[] = {
        {"M", "M5", 0, 0x10, 0x00, 0x10, 0x85},
        {"Y", "Y0", 1, 0x20, 0x00, 0x20, 0x00},
        {"D", "D0", 2, 0x100, 0x01, 0x00, 0x80}, // mode 2 word group: the mode alone decides
        {"M", "nope", 0, -1, 0x00, 0xFF, 0x80},
        {"nope", "M5", 0xFF, -1, 0x00, 0xFF, 0x00},
    };
    for (const auto& c : cases) {
        const AddressCode code = EncodeAddress(kTable, c.group, c.element);
        EXPECT_EQ(code.groupIndex, c.groupByte) << c.element;
        EXPECT_EQ(code.wordAddress, c.word) << c.element;
        EXPECT_EQ(code.WordHigh(), c.high) << c.element;
        EXPECT_EQ(code.WordLow(), c.low) << c.element;
        EXPECT_EQ(code.bitCode, c.bitCode) << c.element;
    }

    const AddressNames m5 = DecodeAddress(kTable, 0, 0x10, 0x85);
    EXPECT_EQ(m5.group, "M");
    EXPECT_EQ(m5.element, "M5");
    const AddressNames y0 = DecodeAddress(kTable, 1, 0x20, 0);
    EXPECT_EQ(y0.element, "Y0");
    const AddressNames missing = DecodeAddress(kTable, 0, 0x10, 0x87);
    EXPECT_EQ(missing.group, "");
    EXPECT_EQ(missing.element, "");
    EXPECT_EQ(BitFromBitCode(0x8F), 15);
    EXPECT_EQ(BitFromBitCode(3), 3);
}

TEST(AddressLookup, GroupNamesOfATypeKeepTableOrderAndRepeats)
{
    EXPECT_EQ(GroupNamesOfType(kTable, BitElementType), (std::vector<std::string>{"M", "Y", "Y"}));
    EXPECT_EQ(GroupNamesOfType(kTable, Word16ElementType), (std::vector<std::string>{"D", "d"}));
    EXPECT_TRUE(GroupNamesOfType(kTable, Word32ElementType).empty());
}
