#include "model/elements/CFuncKeyElement.h"
#include "base/GbkText.h"

#include "model/elements/ElementRecordFixtures.h"
#include "support/RecordingUserInterface.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<CFuncKeyElement> SampleKey()
{
    auto key = std::make_shared<CFuncKeyElement>();
    key->SetPosition(10, 20);
    key->GroupName = "M";
    key->ElementName = "M5";
    key->SetDoubleSize(1);
    key->SetInverse(1);
    key->SetStation(7);
    key->SetCoilOperation(2);
    key->SetAction(CFuncKeyElement::Increment);
    key->SetHandIcon(1);
    key->SetInvisible(1);
    key->SetPasswordProtected(1);
    key->SetKey(3); // down
    key->PasswordLevel = 2;
    key->TargetScreen = 0x1234;
    key->SetDataFormat(2);
    key->SetValue = 0x11223344;
    key->SetSize(32, 16);
    key->WordSize = 16;
    key->RegisterCount = 2;
    key->StepValue = 0x01020304;
    key->Limit = -1;
    key->Number = 0x0105;
    return key;
}

const std::string kSampleRecord = Bytes({0x0A, 0x14, 0x01, 0x02, 0x83, 0x00, 0x03, 0x07, 0x02, 0x03, 0x07, 0x03, 0x02,
    0x34, 0x12, 0x02, 0x44, 0x33, 0x22, 0x11, 0x20, 0x10, 0x10, 0x02, 0x04, 0x03, 0x02, 0x01, 0xFF, 0xFF, 0xFF,
    0xFF, 0x05, 0x01});

} // namespace

TEST(FuncKeyRecord, WritesTheGoldenBytesAndReadsThemBack)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc = DocumentWithTable();
    EXPECT_EQ(RecordOf(*SampleKey(), doc), kSampleRecord);

    const auto key = ReadRecord<CFuncKeyElement>(kSampleRecord, doc);
    EXPECT_EQ(RecordOf(*key, doc), kSampleRecord);
    EXPECT_EQ(key->GroupName, "M");
    EXPECT_EQ(key->ElementName, "M5");
    EXPECT_EQ(Utf8FromGbk(key->TypeText), "16位字元件");
    EXPECT_EQ(key->GetKey(), 3);
    EXPECT_EQ(key->GetDarkColour(), kLightColour); // inverse
    EXPECT_EQ(doc.WorkingElements.size(), 1u);
    EXPECT_EQ(doc.Screens[0].Elements.at(0).element, key);
    EXPECT_EQ(doc.TableExtended, 0);
    EXPECT_EQ(ui.calls, std::vector<std::string>{"ResetAddressLists 2 16"});
}

TEST(FuncKeyRecord, OldFilesCarryNoNumber)
{
    CVX50TextDoc doc = DocumentWithTable();
    doc.ReadingVersion = 8;
    const auto key = ReadRecord<CFuncKeyElement>(kSampleRecord.substr(0, 32), doc);
    EXPECT_EQ(key->Number, 0);
    EXPECT_EQ(key->Limit, -1);
}

TEST(FuncKeyRecord, PlainAddressesWithoutTheProtocolLibrary)
{
    CVX50TextDoc doc = DocumentWithTable();
    doc.UseProtocolLibrary = 0;
    auto key = SampleKey();
    key->AddressText = "300";
    key->RawLowAddress = 0x55;
    // The key's group travels along (its panel record names it): the key
    // reads back on its group's element at its plain address, else on the
    // group's first; a key without a group stays without one.
    key->GroupName = "D";
    key->ElementName = "D7";
    const std::string record = RecordOf(*key, doc);
    EXPECT_EQ(record.substr(2, 4), Bytes({0x2C, 0x55, 0x00, 0x01}));

    const auto back = ReadRecord<CFuncKeyElement>(record, doc);
    EXPECT_EQ(back->AddressText, "44");
    EXPECT_EQ(back->RawLowAddress, 0x55);
    EXPECT_EQ(back->GroupName, "D");
    EXPECT_EQ(back->ElementName, "D7");
    EXPECT_TRUE(back->TypeText.empty());
    EXPECT_EQ(RecordOf(*back, doc).substr(2), record.substr(2));

    doc.AddressTable[1].elements.push_back({"D44", 44, 0});
    EXPECT_EQ(ReadRecord<CFuncKeyElement>(record, doc)->ElementName, "D44");
    key->GroupName.clear();
    key->ElementName.clear();
    const std::string unbound = RecordOf(*key, doc);
    EXPECT_EQ(static_cast<unsigned char>(unbound[5]), 0xFF);
    EXPECT_TRUE(ReadRecord<CFuncKeyElement>(unbound, doc)->GroupName.empty());
    EXPECT_EQ(doc.AddressTable[1].elements.size(), 2u);
}

TEST(FuncKeyRecord, KeysTravelAsFileCodes)
{
    const CVX50TextDoc doc = DocumentWithTable();
    const std::pair<int, int> keyToFileCode[] = {{0, 1}, {1, 2}, {3, 3}, {2, 4}, {4, 0}, {5, 5}, {23, 23}, {99, 0}};
    for (const auto& [key, fileCode] : keyToFileCode) {
        CFuncKeyElement element;
        element.SetKey(key);
        EXPECT_EQ(static_cast<unsigned char>(RecordOf(element, doc)[11]), fileCode) << key;
    }
}

TEST(FuncKeyRecord, NewKeyDefaults)
{
    const CFuncKeyElement key;
    EXPECT_EQ(key.GetKey(), 4);
    EXPECT_EQ(key.GetAction(), CFuncKeyElement::SetCoil);
    EXPECT_EQ(key.GetCoilOperation(), 0);
    EXPECT_EQ(key.TargetScreen, 1);
    EXPECT_EQ(key.StepValue, 1);
    EXPECT_EQ(key.AddressText, "0");
    CFuncKeyElement inverse;
    inverse.SetInverse(1);
    inverse.SetAction(7); // ignored
    EXPECT_EQ(inverse.GetAction(), 0);
    EXPECT_EQ(RecordOf(inverse, DocumentWithTable())[6], 2);
}

TEST(FuncKeyPanelRecord, BuildsTheKeyFromPanelFields)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc = DocumentWithTable();
    auto key = std::make_shared<CFuncKeyElement>();
    // panel code 17 is the down key; flags 0x21: double size, data format 1
    key->LoadFromPanelRecord(doc, 4, 5, 17, 0x21, 0x0102, 3, 1, 0, 9, 2, 16, 0, 3, 2, 100, 5, 0);
    EXPECT_EQ(key->GetKey(), 3);
    EXPECT_EQ(key->GetSize(), (DotSize{32, 32}));
    EXPECT_EQ(key->GetDoubleSize(), 1);
    EXPECT_EQ(key->GetDataFormat(), 1);
    EXPECT_EQ(key->TargetScreen, 9);
    EXPECT_EQ(key->IsPasswordProtected(), 1);
    EXPECT_EQ(key->PasswordLevel, 1);
    EXPECT_EQ(key->GroupName, "M");
    EXPECT_EQ(key->ElementName, "M5");
    EXPECT_EQ(doc.Screens[0].Elements.size(), 1u);

    auto hand = std::make_shared<CFuncKeyElement>();
    // hand icon doubles the width; bit 7 keeps the target screen; bit 6 signed
    hand->LoadFromPanelRecord(doc, 0, 0, 99, 0xC4, 0x0999, 1, 2, 0, 9, 1, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(hand->GetSize(), (DotSize{32, 16}));
    EXPECT_EQ(hand->GetKey(), 4); // unknown panel code: unchanged
    EXPECT_EQ(hand->TargetScreen, 1);
    EXPECT_EQ(hand->GetDataFormat(), 2);
    EXPECT_TRUE(hand->GroupName.empty()); // not in the table, and no repair
    EXPECT_EQ(doc.AddressTable.size(), 2u);
}
