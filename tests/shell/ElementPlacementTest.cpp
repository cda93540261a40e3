#include "base/StringTable.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "shell/ElementPlacement.h"
#include "support/RecordingUserInterface.h"

#include <gtest/gtest.h>

namespace {

constexpr int W = 486;
constexpr int H = 178;

std::shared_ptr<CLampElement> LampNumbered(int number)
{
    auto lamp = std::make_shared<CLampElement>();
    lamp->Number = static_cast<std::uint16_t>(number);
    lamp->SetSize(16, 16);
    return lamp;
}

} // namespace

TEST(ElementPlacement, DefaultSizesOfTheTools)
{
    struct Case {
        ToolCode tool;
        DotSize size;
    };
    const Case cases[] = {
        {ToolLamp, {16, 16}},
        {ToolFuncKey, {16, 16}},
        {ToolStaticText, {48, 16}}, // three Chinese characters, two bytes each
        {ToolDynamicText, {80, 16}},
        {ToolRegister, {40, 16}},
        {ToolBarGraph, {16, 48}},
        {ToolCurveGraph, {56, 48}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToolDefaultSize(c.tool), c.size) << c.tool;
    EXPECT_EQ(ToolDefaultSize(ToolPicture, {200, 80}), (DotSize{192, 64}));
    EXPECT_EQ(ToolDefaultSize(ToolPicture, {30, 20}), (DotSize{30, 20}));
}

TEST(ElementPlacement, ALampTakesTheLowestFreeNumberAndStaysInside)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    doc.DefaultStation = 7;
    for (int n : {1, 2, 4})
        doc.GetWorkingElements().push_back({KindLamp, LampNumbered(n)});
    doc.GetWorkingElements().front().element->Selected = 1;

    const auto placed = PlaceToolElement(doc, ToolLamp, 480, 170, W, H);
    ASSERT_TRUE(placed);
    auto* lamp = dynamic_cast<CLampElement*>(placed.get());
    ASSERT_TRUE(lamp);
    EXPECT_EQ(lamp->Number, 3);
    EXPECT_EQ(lamp->GetPosition(), (DotPoint{175, 47}));
    EXPECT_EQ(lamp->GetSize(), (DotSize{16, 16}));
    EXPECT_EQ(lamp->GetStation(), 7);
    EXPECT_EQ(lamp->GetLogic(), 1);
    EXPECT_EQ(lamp->TypeText, StringGbk(61298));
    EXPECT_EQ(lamp->WordSize, 0);
    EXPECT_EQ(doc.ProjectModified, 1);

    const ElementList& list = doc.GetWorkingElements();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list.back().element, placed); // on top
    EXPECT_EQ(list.back().kind, KindLamp);
    for (std::size_t i = 0; i + 1 < list.size(); ++i)
        EXPECT_EQ(list[i].element->Selected, 0);
    EXPECT_EQ(placed->Selected, 1);
}

TEST(ElementPlacement, NumberClassesAreApart)
{
    CVX50TextDoc doc;
    doc.GetWorkingElements().push_back({KindLamp, LampNumbered(1)});
    const auto key = PlaceToolElement(doc, ToolFuncKey, 0, 0, W, H);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->Number, 1);
    EXPECT_EQ(key->GetPosition(), (DotPoint{0, 0}));
    auto* funcKey = dynamic_cast<CFuncKeyElement*>(key.get());
    ASSERT_TRUE(funcKey);
    EXPECT_EQ(funcKey->GetKey(), 0);
    EXPECT_EQ(funcKey->GetDataFormat(), 1);
    EXPECT_EQ(funcKey->GetAction(), CFuncKeyElement::SetCoil);
}

TEST(ElementPlacement, EveryKindWithItsDefaults)
{
    CVX50TextDoc doc;
    doc.DefaultStation = 3;
    // Static texts numbered 1 and 2 leave a new dynamic text number 1.
    for (int n : {1, 2}) {
        auto text = std::make_shared<CTextElement>(0);
        text->Number = static_cast<std::uint16_t>(n);
        doc.GetWorkingElements().push_back({KindText, text});
    }

    const auto staticText = std::dynamic_pointer_cast<CTextElement>(PlaceToolElement(doc, ToolStaticText, 0, 0, W, H));
    ASSERT_TRUE(staticText);
    EXPECT_EQ(staticText->Number, 3);
    EXPECT_EQ(staticText->GetText(), StringGbk(61358));
    EXPECT_EQ(staticText->GetSize(), (DotSize{48, 16}));
    EXPECT_EQ(staticText->GetStation(), 1); // not bound to a device

    const auto dynamicText
        = std::dynamic_pointer_cast<CTextElement>(PlaceToolElement(doc, ToolDynamicText, 0, 0, W, H));
    ASSERT_TRUE(dynamicText);
    EXPECT_EQ(dynamicText->Number, 1);
    EXPECT_TRUE(dynamicText->IsDynamic());
    EXPECT_EQ(dynamicText->GetEntryCount(), 1);
    EXPECT_EQ(dynamicText->GetStateText(0), StringGbk(61359));
    EXPECT_EQ(dynamicText->GetStateValue(0), "0");
    EXPECT_EQ(dynamicText->TypeText, StringGbk(61298));
    EXPECT_EQ(dynamicText->WordSize, 0);
    EXPECT_FALSE(dynamicText->IsHexBcd());
    EXPECT_EQ(dynamicText->GetStation(), 3);

    const auto reg = std::dynamic_pointer_cast<CRegisterElement>(PlaceToolElement(doc, ToolRegister, 300, 100, W, H));
    ASSERT_TRUE(reg);
    EXPECT_EQ(reg->GetSize(), (DotSize{40, 16}));
    EXPECT_EQ(reg->GetPreviewText(), "12345");
    EXPECT_EQ(reg->Digits, 5);
    EXPECT_EQ(reg->TypeText, StringGbk(61299));
    EXPECT_EQ(reg->WordSize, 16);
    EXPECT_EQ(reg->GetStation(), 3);

    for (ToolCode tool : {ToolBarGraph, ToolCurveGraph}) {
        const auto graph = std::dynamic_pointer_cast<CGraphElement>(PlaceToolElement(doc, tool, 0, 0, W, H));
        ASSERT_TRUE(graph);
        EXPECT_EQ(graph->Tool(), tool);
        EXPECT_EQ(graph->Number, 1);
        EXPECT_EQ(graph->TypeText, StringGbk(61299));
        EXPECT_EQ(graph->GetStation(), 3);
    }
    EXPECT_EQ(doc.GetWorkingElements().back().element->GetSize(), (DotSize{56, 48}));
    EXPECT_EQ(doc.GetWorkingElements().back().kind, KindGraph);
}

TEST(ElementPlacement, APictureTakesItsDotsAndSize)
{
    CVX50TextDoc doc;
    PictureDots dots{3, 2, std::vector<std::uint8_t>(3 * 2 * 4, 0xFF)};
    const auto placed = PlaceToolElement(doc, ToolPicture, 100, 100, W, H, &dots);
    auto* picture = dynamic_cast<CPictureElement*>(placed.get());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->GetSize(), (DotSize{3, 2}));
    EXPECT_EQ(picture->BitmapWidth(), 3);
    EXPECT_EQ(picture->DotColour(2, 1), 0xFFFFFFu);
    EXPECT_EQ(PlaceToolElement(doc, ToolPicture, 0, 0, W, H, nullptr), nullptr);
}

TEST(ElementPlacement, AFullScreenRefusesAnotherElement)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    for (std::size_t i = 0; i < kMaxScreenElements; ++i)
        doc.GetWorkingElements().push_back({KindLamp, LampNumbered(static_cast<int>(i) + 1)});
    doc.GetWorkingElements().back().element->Selected = 1;

    EXPECT_EQ(PlaceToolElement(doc, ToolLamp, 10, 10, W, H), nullptr);
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{61296});
    EXPECT_EQ(doc.GetWorkingElements().size(), kMaxScreenElements);
    EXPECT_EQ(doc.GetWorkingElements().back().element->Selected, 1); // nothing changed
    EXPECT_EQ(doc.ProjectModified, 0);
}
