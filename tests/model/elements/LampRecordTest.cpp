#include "model/elements/CLampElement.h"
#include "base/GbkText.h"

#include "model/elements/ElementRecordFixtures.h"
#include "support/RecordingUserInterface.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<CLampElement> SampleLamp()
{
    auto lamp = std::make_shared<CLampElement>();
    lamp->SetPosition(5, 6);
    lamp->SetSize(16, 16);
    lamp->GroupName = "M";
    lamp->ElementName = "M5";
    lamp->SetLogic(0);
    lamp->SetShape(1);
    lamp->SetDoubleSize(1);
    lamp->SetStation(9);
    lamp->Number = 2;
    return lamp;
}

const std::string kSampleRecord = Bytes({0x05, 0x06, 0x10, 0x10, 0x01, 0x02, 0x83, 0x00, 0x03, 0x09, 0x00, 0x02, 0x00});

} // namespace

TEST(LampRecord, WritesTheGoldenBytesAndReadsThemBack)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc = DocumentWithTable();
    EXPECT_EQ(RecordOf(*SampleLamp(), doc), kSampleRecord);

    const auto lamp = ReadRecord<CLampElement>(kSampleRecord, doc);
    EXPECT_EQ(RecordOf(*lamp, doc), kSampleRecord);
    EXPECT_EQ(lamp->GroupName, "M");
    EXPECT_EQ(lamp->ElementName, "M5");
    EXPECT_EQ(Utf8FromGbk(lamp->TypeText), "位元件");
    EXPECT_EQ(doc.Screens[0].Elements.at(0).element, lamp);
    // Reading asks nothing of the windows: the project reader completes
    // the names once the whole file is read.
    EXPECT_TRUE(ui.calls.empty());
}

TEST(LampRecord, NewLampAndOldFiles)
{
    const CVX50TextDoc doc = DocumentWithTable();
    const CLampElement lamp;
    EXPECT_EQ(lamp.GetShape(), 1);
    EXPECT_EQ(lamp.GetLogic(), 1);
    EXPECT_EQ(lamp.GetState(), 1);
    EXPECT_EQ(lamp.AddressText, "0");
    EXPECT_EQ(RecordOf(lamp, doc)[8], 6);

    CVX50TextDoc old = DocumentWithTable();
    old.ReadingVersion = 8;
    const auto read = ReadRecord<CLampElement>(kSampleRecord.substr(0, 11), old);
    EXPECT_EQ(read->Number, 0);
    EXPECT_EQ(read->GetStation(), 9);
}

TEST(LampRecord, PlainAddressesNeitherLookUpNorExtendTheTable)
{
    CVX50TextDoc doc = DocumentWithTable();
    doc.UseProtocolLibrary = 0;
    auto lamp = SampleLamp();
    lamp->AddressText = "17";
    lamp->RawLowAddress = 0x40;
    const std::string record = RecordOf(*lamp, doc);
    EXPECT_EQ(record.substr(4, 4), Bytes({0x11, 0x40, 0x00, 0x00}));

    doc.TableMissing = 1;
    const auto back = ReadRecord<CLampElement>(record, doc);
    EXPECT_EQ(back->AddressText, "17");
    EXPECT_EQ(back->RawLowAddress, 0x40);
    EXPECT_EQ(RecordOf(*back, doc), record);
    EXPECT_EQ(doc.AddressTable.size(), 2u);
    EXPECT_EQ(doc.TableExtended, 0);
}

TEST(LampPanelRecord, StyleCodes)
{
    struct Case {
        int style;
        int shape, logic, doubleSize;
        DotSize size;
    };
    const Case cases[] = {
        {0, 0, 1, 0, {16, 16}},
        {2, 0, 0, 0, {16, 16}},
        {5, 1, 1, 1, {32, 32}},
        {7, 1, 0, 1, {32, 32}},
        {8, 1, 1, 0, {0, 0}}, // unknown style: constructor values stay
    };
    for (const Case& c : cases) {
        CVX50TextDoc doc = DocumentWithTable();
        auto lamp = std::make_shared<CLampElement>();
        lamp->LoadFromPanelRecord(doc, 1, 2, c.style, 0x0102, 0, 4, 0, 0, 3, 0);
        EXPECT_EQ(lamp->GetShape(), c.shape) << c.style;
        EXPECT_EQ(lamp->GetLogic(), c.logic) << c.style;
        EXPECT_EQ(lamp->GetDoubleSize(), c.doubleSize) << c.style;
        EXPECT_EQ(lamp->GetSize(), c.size) << c.style;
        EXPECT_EQ(lamp->ElementName, "M5");
        EXPECT_EQ(lamp->GetState(), 1);
    }
    CVX50TextDoc plain = DocumentWithTable();
    plain.UseProtocolLibrary = 0;
    auto lamp = std::make_shared<CLampElement>();
    lamp->LoadFromPanelRecord(plain, 1, 2, 4, 0x0102, 0, 4, 300, 9, 3, 0);
    EXPECT_EQ(lamp->AddressText, "300");
    EXPECT_EQ(lamp->RawLowAddress, 9);
    EXPECT_TRUE(lamp->ElementName.empty());
}
