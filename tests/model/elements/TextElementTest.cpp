#include "base/ByteReader.h"
#include "model/elements/CTextElement.h"
#include "model/CVX50TextDoc.h"
#include "base/FormatError.h"
#include "base/GbkText.h"

#include "model/elements/ElementRecordFixtures.h"
#include "support/TableGroups.h"

#include <gtest/gtest.h>

namespace {

class TextRecord : public ::testing::Test {
protected:
    TextRecord()
    {
        doc.AddressTable = {MakeGroup("M", BitElementType, WordBitMode, {{"M0", 0x10, 0}, {"M5", 0x10, 5}}),
                            MakeGroup("Y", BitElementType, SingleWriteMode, {{"Y0", 0x20, 0}, {"Y5", 0x20, 5}})};
        doc.ReadingVersion = 11;
    }

    // Reads a record whose first byte (the dynamic flag) the document has taken.
    std::shared_ptr<CTextElement> Read(const std::string& record)
    {
        return ReadRecord<CTextElement>(record.substr(1), doc, static_cast<int>(record.at(0)));
    }

    CVX50TextDoc doc;
};

std::shared_ptr<CTextElement> OnOff(const std::string& group, const std::string& element)
{
    auto text = std::make_shared<CTextElement>(1);
    text->SetPosition(5, 6);
    text->SetSize(48, 16);
    text->WordSize = 0;
    text->GroupName = group;
    text->ElementName = element;
    text->SetHexBcd(0);
    text->AddState("OFF", "0");
    text->AddState("ON", "1");
    text->Number = 1;
    return text;
}

const std::string kOnOffRecord = Bytes({1, 5, 6, 48, 16, 1, 0, 0x00, 0x10, 0, 0x00, 2, 0x85, 0, 0, 3, 'O', 'F',
                                           'F', 0, 0, 1, 2, 'O', 'N', 0, 1, 0});

}  // namespace

TEST_F(TextRecord, StaticTextRecordMatchesTheLayout)
{
    CTextElement text(0);
    text.SetPosition(1, 2);
    text.SetSize(24, 16);
    text.SetInverse(1);
    text.SetText("ABC");
    text.Number = 3;
    const std::string expected = Bytes({0, 1, 2, 24, 16, 0x02, 0, 3, 'A', 'B', 'C', 0, 3, 0});
    EXPECT_EQ(RecordOf(text, doc), expected);

    const auto back = Read(expected);
    EXPECT_FALSE(back->IsDynamic());
    EXPECT_EQ(back->GetText(), "ABC");
    EXPECT_TRUE(back->IsInverse());
    EXPECT_EQ(back->GetDarkColour(), kLightColour);
    EXPECT_EQ(back->Number, 3);
    EXPECT_EQ(back->GetSize(), (DotSize{24, 16}));
    EXPECT_EQ(doc.WorkingElements.size(), 1u);
}

TEST_F(TextRecord, DynamicTextRecordMatchesTheLayout)
{
    const auto text = OnOff("M", "M5");
    EXPECT_EQ(RecordOf(*text, doc), kOnOffRecord);
    EXPECT_EQ(kOnOffRecord.size(), 28u);

    const auto back = Read(kOnOffRecord);
    EXPECT_TRUE(back->IsDynamic());
    EXPECT_EQ(back->GroupName, "M");
    EXPECT_EQ(back->ElementName, "M5");
    EXPECT_EQ(Utf8FromGbk(back->TypeText), "位元件");
    ASSERT_EQ(back->GetEntryCount(), 2);
    EXPECT_EQ(back->GetState(1), (DynTextEntry{"ON", "1"}));
    EXPECT_FALSE(back->IsHexBcd());
    EXPECT_FALSE(back->IsSigned());
    EXPECT_EQ(RecordOf(*back, doc), kOnOffRecord);
}

TEST_F(TextRecord, VersionFiveHasNoBitCodeAndVersionEightNoNumber)
{
    std::string v8 = kOnOffRecord.substr(0, kOnOffRecord.size() - 2);
    doc.ReadingVersion = 8;
    const auto eight = Read(v8);
    EXPECT_EQ(eight->Number, 0);
    EXPECT_EQ(eight->ElementName, "M5");

    std::string v5 = v8;
    v5.erase(12, 1);
    doc.ReadingVersion = 5;
    const auto five = Read(v5);
    EXPECT_EQ(five->ElementName, "M0"); // without a bit code the address is bit 0
    EXPECT_EQ(five->GetStateText(0), "OFF");
    EXPECT_EQ(five->GetStateText(1), "ON");
}

TEST_F(TextRecord, BitOfAModeTwoGroupReloadsBoundToTheSameElement)
{
    const auto text = OnOff("Y", "Y5");
    const std::string record = RecordOf(*text, doc);
    EXPECT_EQ(static_cast<std::uint8_t>(record[12]), 0x85);
    const auto back = Read(record);
    EXPECT_EQ(back->GroupName, "Y");
    EXPECT_EQ(back->ElementName, "Y5");
    EXPECT_EQ(doc.TableExtended, 0);

    // Files written with bit code 0 still read as bit 0 of the word.
    std::string old = record;
    old[12] = 0;
    EXPECT_EQ(Read(old)->ElementName, "Y0");
}

TEST_F(TextRecord, EntriesWithoutValueAreLeftOutAndValuesFollowTheSign)
{
    auto text = OnOff("M", "M5");
    text->AddState("NONE", "");
    text->AddState("ALL", "65535");
    const std::string unsignedRecord = RecordOf(*text, doc);
    EXPECT_EQ(unsignedRecord[11], 3);
    EXPECT_EQ(Read(unsignedRecord)->GetStateValue(2), "65535");

    text->SetSigned(1);
    const auto back = Read(RecordOf(*text, doc));
    EXPECT_EQ(back->GetStateValue(2), "-1");
    EXPECT_TRUE(back->IsSigned());
}

TEST_F(TextRecord, OverlongEntryTextIsAFormatError)
{
    std::string record = Bytes({1, 0, 0, 48, 16, 1, 0, 0x00, 0x10, 0, 0x00, 1, 0x85, 0, 0, 25});
    record += std::string(25, 'x') + std::string(1, '\0') + Bytes({0, 0});
    auto text = std::make_shared<CTextElement>(1);
    const std::string rest = record.substr(1);
    ByteReader in(rest);
    EXPECT_THROW(text->ReadProjectRecord(in, doc, 0), FormatError);

    // A text of exactly 24 bytes is fine.
    record = Bytes({1, 0, 0, 48, 16, 1, 0, 0x00, 0x10, 0, 0x00, 1, 0x85, 0, 0, 24}) + std::string(24, 'x')
             + std::string(1, '\0') + Bytes({0, 0});
    EXPECT_EQ(Read(record)->GetStateText(0), std::string(24, 'x'));
}

TEST_F(TextRecord, WithoutTheProtocolLibraryByteSevenHoldsTheAddress)
{
    doc.UseProtocolLibrary = 0;
    auto text = OnOff("", "");
    text->AddressText = "300";
    const std::string record = RecordOf(*text, doc);
    EXPECT_EQ(record.substr(7, 3), Bytes({44, 0, 0}));
    EXPECT_EQ(Read(record)->AddressText, "44");
}

TEST_F(TextRecord, MissingAddressesExtendTheTable)
{
    const struct {
        int wordSize, bitCode;
        const char* group;
        int mode;
        const char* element;
        int bit;
    } cases[] = {
        {0, 0x85, "BIT2", WordBitMode, "B1A-5", 5},
        {0, 0, "BIT2", CoilOrMultiWriteMode, "B1A", 0},
        {16, 0, "WORD2", CoilOrMultiWriteMode, "W1A", 0},
    };
    for (const auto& c : cases) {
        doc.AddressTable.resize(2);
        doc.TableExtended = 0;
        std::string record = kOnOffRecord;
        record[6] = static_cast<char>(c.wordSize);
        record[7] = 0;
        record[8] = 0x1A;
        record[9] = 2;
        record[12] = static_cast<char>(c.bitCode);
        const auto text = Read(record);
        ASSERT_EQ(doc.AddressTable.size(), 3u);
        const ElementGroup& group = doc.AddressTable[2];
        EXPECT_EQ(group.name, c.group);
        EXPECT_EQ(group.accessMode, c.mode);
        EXPECT_EQ(group.elementType, c.wordSize);
        ASSERT_EQ(group.elements.size(), 1u);
        EXPECT_EQ(group.elements[0].name, c.element);
        EXPECT_EQ(group.elements[0].bit, c.bit);
        EXPECT_EQ(text->ElementName, c.element);
        EXPECT_EQ(doc.TableExtended, 1);
    }
}

TEST(TextElement, ShownEntryFollowsThePolledValue)
{
    auto text = OnOff("M", "M5");
    text->AddState("AGAIN", "1");
    text->SelectStateByValue(1);
    EXPECT_EQ(text->ShownEntry(), 1);
    text->SelectStateByValue(0);
    EXPECT_EQ(text->ShownEntry(), 0);
    text->SelectStateByValue(7);
    EXPECT_EQ(text->ShownEntry(), -1);
    text->AddState("MINUS", "-1");
    text->SelectStateByValue(65535);
    EXPECT_EQ(text->ShownEntry(), 3);
}

TEST(TextElement, EntryAccess)
{
    auto text = OnOff("M", "M5");
    EXPECT_EQ(text->GetState(5), (DynTextEntry{"", "0"}));
    EXPECT_EQ(text->GetState(-1), (DynTextEntry{"", "0"}));
    EXPECT_THROW(text->GetStateText(2), std::out_of_range);
    EXPECT_THROW(text->SetState(2, "X", "2"), std::out_of_range);
    text->SetState(1, "AN", "1");
    EXPECT_EQ(text->GetState(1), (DynTextEntry{"AN", "1"}));
}

TEST(TextElement, PanelRecordsBuildDynamicAndStaticTexts)
{
    CVX50TextDoc doc;
    doc.AddressTable = {MakeGroup("M", BitElementType, WordBitMode, {{"M5", 0x10, 5}})};

    CTextElement::PanelRecord dynamic;
    dynamic.x = 100;
    dynamic.flags = 0x01 | 0x40 | 0x80; // double size, decimal, signed
    dynamic.texts = {"OFF", "RUNNING"};
    dynamic.values = {65535, 1};
    dynamic.wordSize = 0;
    dynamic.wordAddress = 0x10;
    dynamic.bit = 5;
    auto text = std::make_shared<CTextElement>(1);
    text->LoadFromPanelRecord(doc, dynamic, 0);
    EXPECT_EQ(text->GetSize(), (DotSize{92, 32})); // 7 x 16 dots cut at the display's edge
    EXPECT_TRUE(text->IsSigned());
    EXPECT_FALSE(text->IsHexBcd());
    EXPECT_EQ(text->GetState(0), (DynTextEntry{"OFF", "-1"}));
    EXPECT_EQ(text->ElementName, "M5");

    CTextElement::PanelRecord plain;
    plain.flags = 3;
    plain.texts = {"AB"};
    auto label = std::make_shared<CTextElement>(0);
    label->LoadFromPanelRecord(doc, plain, 0);
    EXPECT_EQ(label->GetText(), "AB");
    EXPECT_EQ(label->GetSize(), (DotSize{32, 32}));
    EXPECT_TRUE(label->IsInverse());
    EXPECT_EQ(label->GetDoubleSize(), 1);

    plain.flags = 7;
    auto odd = std::make_shared<CTextElement>(0);
    odd->LoadFromPanelRecord(doc, plain, 0);
    EXPECT_EQ(odd->GetSize(), (DotSize{0, 0}));
    EXPECT_EQ(doc.WorkingElements.size(), 3u);
}
