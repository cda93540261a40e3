#include "model/elements/CGraphElement.h"
#include "model/CVX50TextDoc.h"
#include "base/GbkText.h"

#include "model/elements/ElementRecordFixtures.h"
#include "support/TableGroups.h"

#include <gtest/gtest.h>

namespace {

class GraphRecord : public ::testing::Test {
protected:
    GraphRecord()
    {
        doc.AddressTable = {MakeGroup("D", Word16ElementType, CoilOrMultiWriteMode, {{"D100", 356, 0}})};
        doc.ReadingVersion = 11;
    }

    std::shared_ptr<CGraphElement> Read(const std::string& record)
    {
        return ReadRecord<CGraphElement>(record.substr(1), doc, record.at(0) == 1 ? 1 : 0);
    }

    CVX50TextDoc doc;
};

std::shared_ptr<CGraphElement> Bound(int curve)
{
    auto graph = std::make_shared<CGraphElement>(curve);
    graph->SetSize(96, 48);
    graph->SetStation(2);
    graph->GroupName = "D";
    graph->ElementName = "D100";
    graph->Number = 3;
    return graph;
}

}  // namespace

TEST_F(GraphRecord, CurveRecordsMatchTheLayout)
{
    auto curve = Bound(1);
    const std::string record16 = Bytes(
        {1, 1, 0, 0, 96, 48, 2, 0x01, 0x64, 0, 0, 4, 2, 0, 16, 0x00, 0x00, 0xFF, 0xFF, 3, 0});
    EXPECT_EQ(RecordOf(*curve, doc), record16);
    const auto back = Read(record16);
    EXPECT_TRUE(back->IsCurve());
    EXPECT_EQ(back->GetDataPoints(), 4);
    EXPECT_EQ(back->GetSampleInterval(), 2);
    EXPECT_EQ(back->FullScale, 0xFFFF);
    EXPECT_EQ(back->ElementName, "D100");
    EXPECT_EQ(Utf8FromGbk(back->TypeText), "16位字元件");
    EXPECT_EQ(back->Number, 3);
    EXPECT_EQ(back->PreviewSamples, (std::vector<int>{0, 43690, 21845, 32767, 21845}));

    curve->WordSize = 32;
    curve->SetSigned(1);
    curve->Zero = -1000;
    curve->FullScale = 100000;
    const std::string record32 = Bytes({1, 1, 0, 0, 96, 48, 2, 0x01, 0x64, 0, 2, 4, 2, 0, 32, 0xFF, 0xFF, 0xFC,
                                           0x18, 0x00, 0x01, 0x86, 0xA0, 3, 0});
    EXPECT_EQ(RecordOf(*curve, doc), record32);
    const auto back32 = Read(record32);
    EXPECT_EQ(back32->Zero, -1000);
    EXPECT_EQ(back32->FullScale, 100000);
    EXPECT_TRUE(back32->IsSigned());
    EXPECT_EQ(Utf8FromGbk(back32->TypeText), "32位字元件");
}

TEST_F(GraphRecord, BarRecordMatchesTheLayout)
{
    auto bar = Bound(0);
    bar->SetDirection(3);
    bar->SetHexBcd(1);
    bar->Zero = 10;
    bar->FullScale = 500;
    const std::string record =
        Bytes({0, 1, 0, 0, 96, 48, 2, 0x01, 0x64, 0, 1, 3, 16, 0x00, 0x0A, 0x01, 0xF4, 3, 0});
    EXPECT_EQ(RecordOf(*bar, doc), record);
    const auto back = Read(record);
    EXPECT_FALSE(back->IsCurve());
    EXPECT_EQ(back->GetDirection(), 3);
    EXPECT_TRUE(back->IsHexBcd());
    EXPECT_EQ(back->Zero, 10);
    EXPECT_EQ(back->FullScale, 500);

    doc.ReadingVersion = 8;
    EXPECT_EQ(Read(record.substr(0, record.size() - 2))->Number, 0);
}

TEST_F(GraphRecord, SignedSixteenBitScalesComeBackAsTheNumbersTheyWere)
{
    auto bar = Bound(0);
    bar->SetSigned(1);
    bar->Zero = -100;
    bar->FullScale = 32767;
    bar->RebuildPreview();
    const std::string record = RecordOf(*bar, doc);
    EXPECT_EQ(record.substr(13, 4), Bytes({0xFF, 0x9C, 0x7F, 0xFF}));
    const auto back = Read(record);
    EXPECT_EQ(back->Zero, -100);
    EXPECT_EQ(back->FullScale, 32767);
    EXPECT_EQ(back->PreviewValue, bar->PreviewValue);
}

TEST_F(GraphRecord, UnknownNamesAreWrittenAsAbsent)
{
    auto bar = Bound(0);
    bar->ElementName = "D999";
    EXPECT_EQ(RecordOf(*bar, doc).substr(7, 3), Bytes({0x00, 0xFF, 0x00}));
    bar->GroupName = "X";
    EXPECT_EQ(RecordOf(*bar, doc).substr(7, 3), Bytes({0x00, 0xFF, 0xFF}));
}

TEST_F(GraphRecord, MissingAddressesExtendTheTable)
{
    doc.AddressTable.resize(4);
    doc.Register32Interval = 2;
    const auto graph = Read(Bytes({0, 1, 0, 0, 96, 48, 2, 0x00, 0x1A, 5, 0, 1, 16, 0, 0, 0, 100, 0, 0}));
    ASSERT_EQ(doc.AddressTable.size(), 6u);
    EXPECT_EQ(doc.AddressTable[4].elementType, PlaceholderElementType);
    EXPECT_EQ(doc.AddressTable[5].name, "WORD5");
    EXPECT_EQ(doc.AddressTable[5].elementType, 16);
    EXPECT_EQ(doc.AddressTable[5].accessMode, WordBitMode);
    EXPECT_EQ(doc.AddressTable[5].interval32, 1);
    EXPECT_EQ(graph->GroupName, "WORD5");
    EXPECT_EQ(graph->ElementName, "W1A");

    const auto wide =
        Read(Bytes({0, 1, 0, 0, 96, 48, 2, 0x00, 0x1A, 10, 0, 1, 32, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0}));
    EXPECT_EQ(doc.AddressTable[10].name, "DWORD10");
    EXPECT_EQ(doc.AddressTable[10].interval32, 2);
    EXPECT_EQ(wide->ElementName, "DW1A");
}

TEST(GraphElement, LiveValuesAreClampedAndCurvesKeepTheNewestSamples)
{
    CGraphElement bar(0);
    bar.FullScale = 1000;
    bar.ShowLiveValue(5000, 16);
    EXPECT_EQ(bar.Live().CurrentValue, 1000);
    bar.ShowLiveValue(464 + 65536, 16);
    EXPECT_EQ(bar.Live().CurrentValue, 464);
    bar.SetHexBcd(1);
    bar.ShowLiveValue(5000, 16);
    EXPECT_EQ(bar.Live().CurrentValue, 5000);
    EXPECT_TRUE(bar.Live().PolledSamples.Values().empty());

    CGraphElement curve(1);
    for (int v = 1; v <= 6; ++v)
        curve.ShowLiveValue(v * 10, 16);
    EXPECT_EQ(curve.Live().PolledSamples.Values(), (std::vector<int>{20, 30, 40, 50, 60}));
    EXPECT_EQ(curve.SetDirection(2), 0);
    EXPECT_EQ(curve.GetDirection(), 1);
}

TEST(GraphElement, PanelRecordsSetFormatAndDirection)
{
    CVX50TextDoc doc;
    CGraphElement::PanelRecord record;
    record.format = 0x0B;
    record.width = 40;
    record.height = 30;
    auto bar = std::make_shared<CGraphElement>(0);
    bar->LoadFromPanelRecord(doc, record, 0);
    EXPECT_EQ(bar->GetDirection(), 4);
    EXPECT_FALSE(bar->IsHexBcd());
    EXPECT_TRUE(bar->IsSigned());
    EXPECT_EQ(bar->GetSize(), (DotSize{40, 30}));

    const struct {
        int format, hex, isSigned;
    } curves[] = {{0, 1, 0}, {16, 1, 0}, {20, 0, 0}, {28, 0, 1}, {99, 0, 0}};
    for (const auto& c : curves) {
        record.format = c.format;
        record.zero = -300;
        record.fullScale = 300;
        record.dataPoints = 3;
        record.sampleInterval = 7;
        auto curve = std::make_shared<CGraphElement>(1);
        curve->LoadFromPanelRecord(doc, record, 0);
        EXPECT_EQ(curve->IsHexBcd(), c.hex) << c.format;
        EXPECT_EQ(curve->IsSigned(), c.isSigned) << c.format;
        EXPECT_EQ(curve->GetSampleInterval(), 7);
        EXPECT_EQ(curve->PreviewSamples.size(), 4u);
    }
    EXPECT_EQ(doc.WorkingElements.size(), 6u);
}

