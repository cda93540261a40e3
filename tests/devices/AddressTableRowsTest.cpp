#include "devices/AddressTableRows.h"

#include "support/TableGroups.h"

#include <gtest/gtest.h>

namespace {

std::vector<DeviceElement> Elements(int count)
{
    std::vector<DeviceElement> elements;
    for (int i = 0; i < count; ++i)
        elements.push_back({"E" + std::to_string(i), i, 0});
    return elements;
}

} // namespace

TEST(AddressTableRows, AddressTextShowsTheBitOnlyInBitAddressedGroups)
{
    const DeviceElement element{"A", 0x1A, 15};
    const struct {
        int type;
        int mode;
        const char* text;
    } cases[] = {
        {BitElementType, WordBitMode, "1A.F"},
        {BitElementType, SingleWriteMode, "1A.F"},
        {BitElementType, CoilOrMultiWriteMode, "1A"},
        {Word16ElementType, WordBitMode, "1A"},
        {Word16ElementType, SingleWriteMode, "1A"},
        {Word32ElementType, CoilOrMultiWriteMode, "1A"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ElementAddressText(MakeGroup("G", c.type, c.mode), element), c.text) << c.type << " " << c.mode;
    EXPECT_EQ(ElementAddressText(MakeGroup("G", Word16ElementType, 1), {"W", 0xABCD, 0}), "ABCD");
}

TEST(AddressTableRows, AddressTextReadsWordAndBitAtTheFirstPoint)
{
    const struct {
        const char* text;
        int word;
        int bit;
    } cases[] = {
        {"", 0, 0}, {"1A", 0x1A, 0}, {"1a.f", 0x1A, 15}, {"12.", 0x12, 0}, {"FFFF.1", 0xFFFF, 1}, {"G1", -1, 0},
    };
    for (const auto& c : cases) {
        const WordBit address = ParseAddressText(c.text);
        EXPECT_EQ(address.word, c.word) << c.text;
        EXPECT_EQ(address.bit, c.bit) << c.text;
    }
}

TEST(AddressTableRows, EachCommitKeepsTheRowsItsOperationAccepts)
{
    const std::vector<AddressRowText> rows = {
        {" X1 ", "10.1"}, // blank-padded name
        {"X2", ""},       // named, no address
        {"", "11.2"},     // address without a name
        {"X3", "12.3"},
    };
    const struct {
        RowCommit commit;
        std::vector<DeviceElement> elements;
    } cases[] = {
        {RowCommit::TabChange, {{" X1 ", 0x10, 1}, {"X2", 0, 0}, {"X3", 0x12, 3}}},
        {RowCommit::Ok, {{"X1", 0x10, 1}, {"X2", 0, 0}, {"X3", 0x12, 3}}},
        {RowCommit::Save, {{"X1", 0x10, 1}, {"X2", 0, 0}, {"X3", 0x12, 3}}},
    };
    for (const auto& c : cases) {
        ElementGroup group = MakeGroup("X", BitElementType, WordBitMode, Elements(9));
        CommitGroupRows(group, rows, c.commit);
        EXPECT_EQ(group.elements, c.elements) << static_cast<int>(c.commit);
    }
}

TEST(AddressTableRows, ABlanksOnlyNameIsNoElementOnceTrimmed)
{
    ElementGroup group = MakeGroup("X", BitElementType, WordBitMode);
    CommitGroupRows(group, {{"  ", "1.0"}}, RowCommit::Save);
    EXPECT_TRUE(group.elements.empty());
    CommitGroupRows(group, {{"  ", "1.0"}}, RowCommit::TabChange);
    EXPECT_EQ(group.elements.size(), 1u);
}

TEST(AddressTableRows, DeleteRemovesTheSelectedRowsAndIgnoresTheEmptyTail)
{
    // Six elements and the ten empty rows below them.
    std::vector<AddressRowText> rows(16);
    for (int i = 0; i < 6; ++i)
        rows[static_cast<std::size_t>(i)] = {"E" + std::to_string(i), std::to_string(i)};
    DeleteSelectedRows(rows, {30, 5, 2});
    ElementGroup group = MakeGroup("E", Word16ElementType, CoilOrMultiWriteMode, Elements(6));
    CommitGroupRows(group, rows, RowCommit::Save);
    EXPECT_EQ(ElementNames(group), (std::vector<std::string>{"E0", "E1", "E3", "E4"}));
    EXPECT_EQ(group.elements[2].wordAddress, 3);

    DeleteSelectedRows(rows, {-1, 0, 1, 2, 3});
    CommitGroupRows(group, rows, RowCommit::Save);
    EXPECT_TRUE(group.elements.empty());
}
