#include "base/ByteReader.h"
#include "model/elements/CRegisterElement.h"
#include "model/CVX50TextDoc.h"
#include "base/FormatError.h"
#include "base/GbkText.h"

#include "model/elements/ElementRecordFixtures.h"
#include "support/RecordingUserInterface.h"
#include "support/TableGroups.h"

#include <gtest/gtest.h>

namespace {

class RegisterRecord : public ::testing::Test {
protected:
    RegisterRecord()
    {
        doc.AddressTable = {MakeGroup("D", Word16ElementType, SingleWriteMode, {{"D100", 356, 0}})};
        doc.ReadingVersion = 11;
    }

    std::shared_ptr<CRegisterElement> Read(const std::string& record)
    {
        return ReadRecord<CRegisterElement>(record, doc);
    }

    CVX50TextDoc doc;
};

// A signed, scaled, settable 16-bit register bound to D/D100.
std::shared_ptr<CRegisterElement> Register16()
{
    auto reg = std::make_shared<CRegisterElement>();
    reg->SetPosition(10, 20);
    reg->SetSize(40, 16);
    reg->SetStation(3);
    reg->Number = 7;
    reg->PasswordLevel = 2;
    reg->Digits = 5;
    reg->Decimals = 2;
    reg->SetInverse(1);
    reg->SetSigned(1);
    reg->SetEngineeringScale(1);
    reg->SetAlignment(1);
    reg->SetSettable(1);
    reg->SetPasswordProtected(1);
    reg->SetRawRange(1000, -10);
    reg->EngUpper = 500;
    reg->EngLower = 0;
    reg->GroupName = "D";
    reg->ElementName = "D100";
    return reg;
}

const std::string kRecord16 = Bytes({1, 10, 20, 40, 16, 2, 0x01, 0x64, 0, 5, 2, 0x3A, 3, 0x05, 16, 0x03, 0xE8,
                                        0xFF, 0xF6, 0x01, 0xF4, 0x00, 0x00, 5, '1', '2', '3', '4', '5', 0, 7, 0});

}  // namespace

TEST_F(RegisterRecord, SixteenBitRecordMatchesTheLayoutAndReadsBack)
{
    const auto reg = Register16();
    EXPECT_EQ(RecordOf(*reg, doc), kRecord16);

    const auto back = Read(kRecord16);
    EXPECT_EQ(back->GetPosition(), (DotPoint{10, 20}));
    EXPECT_EQ(back->GetSize(), (DotSize{40, 16}));
    EXPECT_EQ(back->GetStation(), 3);
    EXPECT_EQ(back->Number, 7);
    EXPECT_EQ(back->PasswordLevel, 2);
    EXPECT_EQ(back->Format().digits, 5);
    EXPECT_EQ(back->Decimals, 2);
    EXPECT_TRUE(back->IsInverse() && back->IsSigned() && back->IsEngineeringScale() && back->IsSettable()
                && back->IsPasswordProtected());
    EXPECT_FALSE(back->IsHexBcd());
    EXPECT_EQ(back->GetAlignment(), 1);
    EXPECT_EQ(back->GetDarkColour(), kLightColour);
    EXPECT_EQ(back->RawUpper, 1000);
    EXPECT_EQ(back->RawLower, 65526);  // 16-bit limits read back without sign
    EXPECT_EQ(back->EngUpper, 500);
    EXPECT_EQ(back->GroupName, "D");
    EXPECT_EQ(back->ElementName, "D100");
    EXPECT_EQ(Utf8FromGbk(back->TypeText), "16位字元件");
    EXPECT_EQ(back->GetPreviewText(), "12345");
    EXPECT_EQ(RecordOf(*back, doc), kRecord16);
    ASSERT_EQ(doc.WorkingElements.size(), 1u);
    EXPECT_EQ(doc.WorkingElements[0].kind, KindRegister);
    EXPECT_EQ(doc.Screens[0].Elements.size(), 1u);
}

TEST_F(RegisterRecord, ThirtyTwoBitRecordHasFourByteLimits)
{
    auto reg = std::make_shared<CRegisterElement>();
    reg->RegisterCount = 2;
    reg->Digits = 10;
    reg->SetRawRange(100000, -5);
    reg->EngUpper = INT32_MAX;
    reg->EngLower = INT32_MIN;
    reg->GroupName = "D";
    reg->ElementName = "D100";
    const std::string expected =
        Bytes({2, 0, 0, 0, 0, 0, 0x01, 0x64, 0, 10, 0, 0x00, 1, 0x00, 16, 0x00, 0x01, 0x86, 0xA0, 0xFF, 0xFF, 0xFF,
                  0xFB, 0x7F, 0xFF, 0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00, 5, '1', '2', '3', '4', '5', 0, 0, 0});
    EXPECT_EQ(RecordOf(*reg, doc), expected);
    EXPECT_EQ(expected.size(), 40u);
    const auto back = Read(expected);
    EXPECT_EQ(back->RawLower, -5);
    EXPECT_EQ(back->EngLower, INT32_MIN);
    EXPECT_EQ(back->Digits, 10);
}

TEST_F(RegisterRecord, VersionEightHasNoElementNumber)
{
    doc.ReadingVersion = 8;
    const auto back = Read(kRecord16.substr(0, kRecord16.size() - 2));
    EXPECT_EQ(back->Number, 0);
}

TEST_F(RegisterRecord, UnknownAddressesAreWrittenAsAbsent)
{
    auto reg = std::make_shared<CRegisterElement>();
    reg->GroupName = "NOPE";
    reg->ElementName = "X";
    const std::string record = RecordOf(*reg, doc);
    EXPECT_EQ(Bytes({0x00, 0xFF, 0xFF}), record.substr(6, 3));
}

TEST_F(RegisterRecord, WithoutTheProtocolLibraryTheAddressIsANumber)
{
    doc.UseProtocolLibrary = 0;
    auto reg = std::make_shared<CRegisterElement>();
    reg->AddressText = "356";
    const std::string record = RecordOf(*reg, doc);
    EXPECT_EQ(Bytes({0x01, 0x64, 0x00}), record.substr(6, 3));
    const auto back = Read(record);
    EXPECT_EQ(back->AddressText, "356");
    EXPECT_TRUE(back->GroupName.empty());
    EXPECT_EQ(doc.AddressTable.size(), 1u);
}

TEST_F(RegisterRecord, MissingAddressesExtendTheTable)
{
    doc.AddressTable.resize(4);
    doc.Register32Interval = 2;
    std::string word = kRecord16;
    word[6] = 0x00;
    word[7] = 0x1A;
    word[8] = 5;
    const auto reg16 = Read(word);
    ASSERT_EQ(doc.AddressTable.size(), 6u);
    EXPECT_EQ(doc.AddressTable[4].elementType, PlaceholderElementType);
    EXPECT_EQ(doc.AddressTable[4].accessMode, CoilOrMultiWriteMode);
    EXPECT_TRUE(doc.AddressTable[4].name.empty());
    const ElementGroup& group5 = doc.AddressTable[5];
    EXPECT_EQ(group5.name, "WORD5");
    EXPECT_EQ(group5.elementType, 16);
    EXPECT_EQ(group5.accessMode, WordBitMode);
    EXPECT_EQ(group5.interval32, 0);
    ASSERT_EQ(group5.elements.size(), 1u);
    EXPECT_EQ(group5.elements[0].name, "W1A");
    EXPECT_EQ(reg16->GroupName, "WORD5");
    EXPECT_EQ(reg16->ElementName, "W1A");
    EXPECT_EQ(doc.TableExtended, 1);

    // A 32-bit group is named by its index in hexadecimal.
    std::string dword = word;
    dword[8] = 10;
    dword[14] = 32;
    const std::string limits32(16, '\0');
    dword = dword.substr(0, 15) + limits32 + dword.substr(23);
    const auto reg32 = Read(dword);
    ASSERT_EQ(doc.AddressTable.size(), 11u);
    EXPECT_EQ(doc.AddressTable[10].name, "DWORDa");
    EXPECT_EQ(doc.AddressTable[10].interval32, 2);
    EXPECT_EQ(reg32->ElementName, "DW1A");

    // The same address again finds the element it added.
    Read(word);
    EXPECT_EQ(doc.AddressTable[5].elements.size(), 1u);
}

TEST_F(RegisterRecord, TableMissingRepairsWithoutTypeText)
{
    doc.AddressTable.clear();
    doc.TableMissing = 1;
    const auto reg = Read(kRecord16);
    EXPECT_EQ(reg->GroupName, "WORD0");
    EXPECT_EQ(reg->ElementName, "W164");
    EXPECT_TRUE(reg->TypeText.empty());
}

TEST_F(RegisterRecord, DigitsAreClampedAndDecimalsKeptUpToTheDigits)
{
    // Decimals may equal the digits (the value shows as "0." and its digits);
    // a record that says so must read back unchanged.
    const struct {
        int registerCount, wordSize, digits, decimals, expectedDigits, expectedDecimals;
    } cases[] = {{1, 16, 9, 7, 5, 5},  {1, 16, 0, 3, 1, 1},    {1, 16, 3, 3, 3, 3},  {1, 16, 5, 5, 5, 5},
                 {2, 16, 12, 9, 10, 9}, {2, 16, 10, 10, 10, 10}, {2, 16, 4, 6, 4, 4}, {1, 32, 10, 9, 10, 9}};
    for (const auto& c : cases) {
        std::string record = kRecord16;
        record[0] = static_cast<char>(c.registerCount);
        record[9] = static_cast<char>(c.digits);
        record[10] = static_cast<char>(c.decimals);
        record[14] = static_cast<char>(c.wordSize);
        const bool wide = c.registerCount == 2 || c.wordSize == 32;
        if (wide)
            record = record.substr(0, 15) + std::string(16, '\0') + record.substr(23);
        const auto reg = Read(record);
        EXPECT_EQ(reg->Digits, c.expectedDigits) << c.registerCount << "x" << c.wordSize << " " << c.digits;
        EXPECT_EQ(reg->Decimals, c.expectedDecimals) << c.registerCount << "x" << c.wordSize << " " << c.decimals;
        if (c.digits == c.expectedDigits && c.decimals == c.expectedDecimals)
            EXPECT_EQ(RecordOf(*reg, doc), record) << "saved again unchanged";
    }
}

TEST_F(RegisterRecord, ShortRecordsAndBadScreensThrow)
{
    auto reg = std::make_shared<CRegisterElement>();
    const std::string shortRecord = kRecord16.substr(0, 20);
    ByteReader cut(shortRecord);
    EXPECT_THROW(reg->ReadProjectRecord(cut, doc, 0), FormatError);
    ByteReader whole(kRecord16);
    EXPECT_THROW(reg->ReadProjectRecord(whole, doc, 3), std::out_of_range);
}

TEST(RegisterElement, LiveValuesAreIgnoredWhileTyping)
{
    CRegisterElement reg;
    reg.SetSettable(1);
    reg.SetRawRange(100, 0);
    reg.ShowLiveValue(150, 16);
    EXPECT_EQ(reg.GetEntryText(), "00100");
    reg.Typing = 1;
    reg.ShowLiveValue(42, 16);
    EXPECT_EQ(reg.GetEntryText(), "00100");
}

TEST(RegisterElement, EntryOperationsWorkOnTheEntryText)
{
    CRegisterElement reg;
    reg.Decimals = 2;
    reg.SetSigned(1);
    reg.SetEntryText("+012.34");
    reg.Typing = 1;
    reg.TypeDigit('7');
    EXPECT_EQ(reg.GetEntryText(), "+123.47");
    reg.EntryCursor = 1;
    reg.MoveCursorLeft();
    EXPECT_EQ(reg.EntryCursor, 3);
    reg.IncrementDigit();
    reg.ToggleSign();
    EXPECT_EQ(reg.GetEntryText(), "-124.47");
    reg.MoveCursorRight();
    reg.DecrementDigit();
    EXPECT_EQ(reg.GetEntryText(), "-124.37");
    reg.ClearEntry();
    EXPECT_EQ(reg.GetEntryText(), "-000.00");
}

TEST(RegisterElement, PanelRecordBuildsPreviewSizeAndLimits)
{
    CVX50TextDoc doc;
    doc.AddressTable = {MakeGroup("D", Word16ElementType, CoilOrMultiWriteMode, {{"D100", 356, 0}})};

    CRegisterElement::PanelRecord record;
    record.x = 150;
    record.y = 40;
    record.flags = 0x04 | 0x08 | 0x20; // decimal, signed, password-protected
    record.digits = 5;
    record.decimals = 2;
    record.wordAddress = 356;
    record.passwordValue = 3;
    auto reg = std::make_shared<CRegisterElement>();
    RecordingUserInterface ui;
    reg->LoadFromPanelRecord(doc, record, 0);
    EXPECT_EQ(ui.calls, std::vector<std::string>{"ResetAddressLists 5 16"});
    EXPECT_EQ(reg->GetPreviewText(), "-123.45");
    EXPECT_FALSE(reg->IsHexBcd());
    EXPECT_TRUE(reg->IsSigned());
    EXPECT_EQ(reg->PasswordLevel, 2);
    EXPECT_EQ(reg->GetSize(), (DotSize{42, 16})); // 7 characters cut at the display's edge
    EXPECT_EQ(reg->EngLower, -32768);
    EXPECT_EQ(reg->EngUpper, 32767);
    EXPECT_EQ(reg->GroupName, "D");
    EXPECT_EQ(reg->ElementName, "D100");
    EXPECT_EQ(doc.WorkingElements.size(), 1u);

    // Without bit 2 the value is HEX/BCD; double size doubles the cells.
    CRegisterElement::PanelRecord hex;
    hex.flags = 0x01 | 0x40 | 0x80;
    hex.digits = 9; // more than a 16-bit register shows
    hex.decimals = 0;
    hex.y = 40;
    hex.engUpper = 9;
    hex.engLower = 1;
    auto reg2 = std::make_shared<CRegisterElement>();
    reg2->LoadFromPanelRecord(doc, hex, 0);
    EXPECT_TRUE(reg2->IsHexBcd());
    EXPECT_EQ(reg2->Digits, 5);
    EXPECT_EQ(reg2->GetPreviewText(), "01234"); // left indent: the last digits of four
    EXPECT_EQ(reg2->GetSize(), (DotSize{80, 24}));
    EXPECT_EQ(reg2->EngUpper, 9);
    EXPECT_EQ(reg2->EngLower, 1);
}

TEST(RegisterElement, PanelRecordKeepsDecimalsUpToTheDigits)
{
    CVX50TextDoc doc;
    doc.UseProtocolLibrary = 0;
    const struct {
        int registerCount, wordSize, digits, decimals;
        const char* preview;
    } cases[] = {{1, 16, 5, 5, "0.12345"}, {2, 16, 10, 10, "0.1234567890"}, {1, 32, 10, 9, "1.234567890"}};
    for (const auto& c : cases) {
        CRegisterElement::PanelRecord record;
        record.flags = 0x04; // decimal
        record.registerCount = c.registerCount;
        record.wordSize = c.wordSize;
        record.digits = c.digits;
        record.decimals = c.decimals;
        auto reg = std::make_shared<CRegisterElement>();
        reg->LoadFromPanelRecord(doc, record, 0);
        EXPECT_EQ(reg->Decimals, c.decimals) << c.preview;
        EXPECT_EQ(reg->GetPreviewText(), c.preview);
    }
}

TEST(RegisterElement, RecordCutsALongPreviewTextOnACharacterBoundary)
{
    CVX50TextDoc doc;
    doc.UseProtocolLibrary = 0;
    const struct {
        std::string preview;
        std::string stored;
    } cases[] = {{std::string(200, '9'), std::string(76, '9')},
                 {std::string(75, '1') + GbkFromUtf8("温度"), std::string(75, '1')},
                 {std::string(74, '1') + GbkFromUtf8("温度"), std::string(74, '1') + GbkFromUtf8("温")},
                 {std::string(76, '2'), std::string(76, '2')}};
    for (const auto& c : cases) {
        CRegisterElement reg;
        reg.SetPreviewText(c.preview);
        ByteWriter out;
        reg.WriteProjectRecord(out, doc);
        const std::string record = out.Take();
        ASSERT_GT(record.size(), 24u);
        EXPECT_EQ(record.substr(24, static_cast<unsigned char>(record[23])), c.stored) << c.preview.size();
    }
}
