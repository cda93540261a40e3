#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CLampElement.h"

#include "model/elements/ElementRecordFixtures.h"

#include <gtest/gtest.h>

namespace {

// A lamp record at word `word`, bit code `bitCode`, group `group`.
std::string LampRecord(int word, int bitCode, int group)
{
    return Bytes({0, 0, 16, 16, word >> 8, word & 0xFF, bitCode, group, 6, 1, 0, 1, 0});
}

// A function-key record with the given address, action and word size.
std::string KeyRecord(int word, int bitCode, int group, int action, int wordSize)
{
    std::string r = Bytes({0, 0, word >> 8, word & 0xFF, bitCode, group, 0, 1, 0, action, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0,
        16, 16, wordSize, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0});
    return r;
}

const DeviceElement& Last(const ElementGroup& g)
{
    return g.elements.back();
}

} // namespace

TEST(AddressRepair, LampWithTheTableMissing)
{
    struct Case {
        int bitCode;
        int mode;
        const char* element;
        int bit;
    };
    const Case cases[] = {{0x83, WordBitMode, "B10-3", 3}, {0x02, CoilOrMultiWriteMode, "B10", 2}};
    for (const Case& c : cases) {
        CVX50TextDoc doc;
        doc.ReadingVersion = 11;
        doc.TableMissing = 1;
        const auto lamp = ReadRecord<CLampElement>(LampRecord(0x10, c.bitCode, 0), doc);
        ASSERT_EQ(doc.AddressTable.size(), 1u);
        const ElementGroup& g = doc.AddressTable[0];
        EXPECT_EQ(g.name, "BIT0");
        EXPECT_EQ(g.accessMode, c.mode);
        EXPECT_EQ(g.elementType, 0);
        ASSERT_EQ(g.elements.size(), 1u);
        EXPECT_EQ(Last(g).name, c.element);
        EXPECT_EQ(Last(g).wordAddress, 0x10);
        EXPECT_EQ(Last(g).bit, c.bit);
        EXPECT_EQ(lamp->GroupName, "BIT0");
        EXPECT_EQ(lamp->ElementName, c.element);
        EXPECT_EQ(doc.TableExtended, 1);
    }
}

TEST(AddressRepair, LampInARealGroupMatchesNameAndBit)
{
    CVX50TextDoc doc = DocumentWithTable();
    doc.AddressTable[0].elements.push_back({"B10-3", 0x10, 4}); // same name, other bit
    const auto lamp = ReadRecord<CLampElement>(LampRecord(0x10, 0x83, 0), doc);
    const ElementGroup& g = doc.AddressTable[0];
    ASSERT_EQ(g.elements.size(), 3u);
    EXPECT_EQ(Last(g).name, "B10-3");
    EXPECT_EQ(Last(g).bit, 3);
    EXPECT_EQ(lamp->GroupName, "M");
    EXPECT_EQ(doc.TableExtended, 1);

    // Read again: the element now exists, nothing is added.
    doc.TableExtended = 0;
    ReadRecord<CLampElement>(LampRecord(0x10, 0x83, 0), doc);
    EXPECT_EQ(doc.AddressTable[0].elements.size(), 3u);
    EXPECT_EQ(doc.TableExtended, 0);
}

TEST(AddressRepair, FunctionKeyFillsPlaceholdersUpToItsGroup)
{
    CVX50TextDoc doc;
    doc.ReadingVersion = 11;
    doc.TableMissing = 1;
    const auto key = ReadRecord<CFuncKeyElement>(KeyRecord(0x1F, 0x85, 3, CFuncKeyElement::SetCoil, 0), doc);
    ASSERT_EQ(doc.AddressTable.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        const ElementGroup& p = doc.AddressTable[static_cast<std::size_t>(i)];
        EXPECT_TRUE(p.name.empty());
        EXPECT_TRUE(p.elements.empty());
        EXPECT_EQ(p.elementType, PlaceholderElementType);
        EXPECT_EQ(p.accessMode, 1);
        EXPECT_EQ(p.interval32, 1);
    }
    const ElementGroup& g = doc.AddressTable[3];
    EXPECT_EQ(g.name, "BIT3");
    EXPECT_EQ(g.accessMode, WordBitMode);
    EXPECT_EQ(Last(g).name, "B1F-5");
    EXPECT_EQ(Last(g).wordAddress, 0x1F);
    EXPECT_EQ(Last(g).bit, 5);
    EXPECT_EQ(key->GroupName, "BIT3");
    EXPECT_EQ(key->ElementName, "B1F-5");
}

TEST(AddressRepair, FunctionKeyWordNames)
{
    struct Case {
        bool realGroup;
        int wordSize;
        const char* group;
        const char* element;
        int interval;
    };
    const Case cases[] = {
        {true, 16, "D", "D1F", 1}, // a real group gets "D%x"
        {false, 16, "WORD3", "W1F", 1}, // a placeholder becomes WORD<index>
        {false, 32, "DWORD3", "DW1F", 2},
    };
    for (const Case& c : cases) {
        CVX50TextDoc doc = DocumentWithTable();
        doc.Register32Interval = 2;
        const int group = c.realGroup ? 1 : 3;
        const auto key = ReadRecord<CFuncKeyElement>(KeyRecord(0x1F, 0, group, CFuncKeyElement::SetRegister,
            c.wordSize), doc);
        const ElementGroup& g = doc.AddressTable.at(static_cast<std::size_t>(group));
        EXPECT_EQ(g.name, c.group);
        EXPECT_EQ(Last(g).name, c.element);
        EXPECT_EQ(Last(g).bit, 0);
        EXPECT_EQ(key->ElementName, c.element);
        if (!c.realGroup) {
            EXPECT_EQ(g.elementType, c.wordSize);
            EXPECT_EQ(g.interval32, c.interval);
            EXPECT_EQ(g.accessMode, 1);
        }
    }
}

TEST(AddressRepair, ScreenJumpKeysNeedNoAddress)
{
    CVX50TextDoc doc = DocumentWithTable();
    const auto jump = ReadRecord<CFuncKeyElement>(KeyRecord(0x40, 0, 1, CFuncKeyElement::ScreenJump, 16), doc);
    EXPECT_TRUE(jump->GroupName.empty());
    EXPECT_EQ(doc.AddressTable[1].elements.size(), 1u);
    EXPECT_EQ(doc.TableExtended, 0);

    ReadRecord<CFuncKeyElement>(KeyRecord(0x40, 0, 1, CFuncKeyElement::SetCoil, 16), doc);
    EXPECT_EQ(doc.AddressTable[1].elements.size(), 2u);

    doc.TableMissing = 1; // with the table missing, every key is repaired
    const auto repaired = ReadRecord<CFuncKeyElement>(KeyRecord(0x41, 0, 1, CFuncKeyElement::ScreenJump, 16), doc);
    EXPECT_EQ(repaired->ElementName, "D41");
}
