#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"

#include "ElementRecordFixtures.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <typeinfo>

namespace {

// Position, size, station and number away from a new element's.
template <class Element>
std::shared_ptr<Element> Placed(std::shared_ptr<Element> element)
{
    element->SetPosition(11, 7);
    element->SetSize(24, 16);
    element->SetStation(9);
    element->Number = 4;
    return element;
}

std::shared_ptr<CScreenElement> FilledFuncKey()
{
    auto key = Placed(std::make_shared<CFuncKeyElement>());
    key->GroupName = "D";
    key->ElementName = "D7";
    key->TypeText = "16";
    key->WordSize = 16;
    key->RawLowAddress = 0x40;
    key->RegisterCount = 2;
    key->PasswordLevel = 2;
    key->TargetScreen = 5;
    key->StepValue = 3;
    key->Limit = 90;
    key->SetValue = -7;
    key->SetDataFormat(2);
    key->SetDoubleSize(1);
    key->SetHandIcon(1);
    key->SetInvisible(1);
    key->SetPasswordProtected(1);
    key->SetAction(CFuncKeyElement::Increment);
    key->SetInverse(1);
    key->SetCoilOperation(3);
    key->SetKey(9);
    return key;
}

std::shared_ptr<CScreenElement> FilledLamp()
{
    auto lamp = Placed(std::make_shared<CLampElement>());
    lamp->GroupName = "M";
    lamp->ElementName = "M5";
    lamp->TypeText = "bit";
    lamp->WordSize = 1;
    lamp->RawLowAddress = 0x22;
    lamp->SetDoubleSize(1);
    lamp->SetShape(0);
    lamp->SetLogic(0);
    return lamp;
}

std::shared_ptr<CScreenElement> FilledRegister()
{
    auto reg = Placed(std::make_shared<CRegisterElement>());
    reg->GroupName = "D";
    reg->ElementName = "D7";
    reg->TypeText = "32";
    reg->RegisterCount = 2;
    reg->WordSize = 32;
    reg->Digits = 4;
    reg->Decimals = 2;
    reg->RawUpper = 999;
    reg->RawLower = -5;
    reg->EngUpper = 500;
    reg->EngLower = 3;
    reg->PasswordLevel = 1;
    reg->SetSigned(1);
    reg->SetEngineeringScale(1);
    reg->SetSettable(1);
    reg->SetPasswordProtected(1);
    reg->SetInverse(1);
    reg->SetDoubleSize(1);
    reg->SetAlignment(1);
    reg->SetPreviewText("+12.34");
    return reg;
}

std::shared_ptr<CScreenElement> FilledStaticText()
{
    auto text = Placed(std::make_shared<CTextElement>(0));
    text->SetText("Pump 1");
    text->SetInverse(1);
    text->SetDoubleSize(1);
    return text;
}

std::shared_ptr<CScreenElement> FilledDynamicText()
{
    auto text = Placed(std::make_shared<CTextElement>(1));
    text->GroupName = "M";
    text->ElementName = "M5";
    text->TypeText = "bit";
    text->WordSize = 0;
    text->SetHexBcd(0);
    text->SetSigned(1);
    text->SetInverse(1);
    text->AddState("off", "0");
    text->AddState("on", "-1");
    text->SetStateMode(1); // the editor shows "on"
    return text;
}

std::shared_ptr<CScreenElement> FilledGraph(int curve)
{
    auto graph = Placed(std::make_shared<CGraphElement>(curve));
    graph->SetSize(40, 30);
    graph->GroupName = "D";
    graph->ElementName = "D7";
    graph->TypeText = "16";
    graph->WordSize = 32;
    graph->BarRegisterCount = 2;
    graph->CurveRegisterCount = 2;
    graph->Zero = -100;
    graph->FullScale = 100;
    graph->SetHexBcd(0);
    graph->SetSigned(1);
    graph->SetDirection(3);
    graph->DataPoints = 7;
    graph->SampleInterval = 5;
    graph->RebuildPreview();
    return graph;
}

std::shared_ptr<CScreenElement> FilledPicture()
{
    auto picture = std::make_shared<CPictureElement>();
    std::vector<std::uint8_t> pixels(CPictureElement::kPixelStoreSize);
    for (std::size_t i = 0; i < pixels.size(); i += 12)
        pixels[i] = pixels[i + 1] = pixels[i + 2] = 0xFF; // every third dot white
    picture->SetPixelStore(std::move(pixels));
    picture->SetSize(20, 10);
    picture->SetBoxSize(30, 12);
    picture->SetPosition(11, 7);
    picture->Number = 4;
    return picture;
}

// Every class and sub-kind with each field a copy carries away from a new
// element's value.
std::vector<std::shared_ptr<CScreenElement>> EveryKindFilledIn()
{
    return {FilledFuncKey(),    FilledLamp(),       FilledRegister(), FilledStaticText(),
            FilledDynamicText(), FilledGraph(0), FilledGraph(1),   FilledPicture()};
}

QImage DrawnInTheEditor(const CScreenElement& element)
{
    QImage image(192 * 2, 64 * 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter painter(&image);
    element.Draw(painter, image.rect(), false);
    painter.end();
    return image;
}

// Where the record shows the address as a plain number.
CVX50TextDoc PlainAddressDocument()
{
    CVX50TextDoc doc = DocumentWithTable();
    doc.UseProtocolLibrary = 0;
    return doc;
}

} // namespace

TEST(ElementCopy, CarriesWhatTheRecordAndTheEditorShow)
{
    const CVX50TextDoc named = DocumentWithTable();
    const CVX50TextDoc plain = PlainAddressDocument();
    for (const auto& element : EveryKindFilledIn()) {
        const CScreenElement& source = *element;
        const std::shared_ptr<CScreenElement> clone = source.Clone();
        ASSERT_NE(clone, element);
        const CScreenElement& copy = *clone;
        const char* kind = typeid(source).name();
        EXPECT_EQ(typeid(copy), typeid(source)) << kind;
        EXPECT_EQ(copy.Tool(), source.Tool()) << kind;
        EXPECT_EQ(RecordOf(copy, named), RecordOf(source, named)) << kind;
        EXPECT_EQ(RecordOf(copy, plain), RecordOf(source, plain)) << kind;
        EXPECT_TRUE(DrawnInTheEditor(copy) == DrawnInTheEditor(source)) << kind;
    }
}

TEST(ElementCopy, CarriesTheFieldsNoRecordHolds)
{
    const auto key = std::static_pointer_cast<CFuncKeyElement>(FilledFuncKey());
    EXPECT_EQ(std::static_pointer_cast<CFuncKeyElement>(key->Clone())->TypeText, "16");
    const auto lamp = std::static_pointer_cast<CLampElement>(FilledLamp());
    EXPECT_EQ(std::static_pointer_cast<CLampElement>(lamp->Clone())->TypeText, "bit");
    const auto text = std::static_pointer_cast<CTextElement>(FilledDynamicText());
    EXPECT_EQ(std::static_pointer_cast<CTextElement>(text->Clone())->TypeText, "bit");

    const auto reg = std::static_pointer_cast<CRegisterElement>(FilledRegister());
    reg->EntryCursor = 2;
    const auto regCopy = std::static_pointer_cast<CRegisterElement>(reg->Clone());
    EXPECT_EQ(regCopy->TypeText, "32");
    EXPECT_EQ(regCopy->EntryCursor, 2);

    // A bar keeps the curve's register count and a curve its preview samples.
    const auto bar = std::static_pointer_cast<CGraphElement>(FilledGraph(0));
    bar->CurveRegisterCount = 3;
    const auto barCopy = std::static_pointer_cast<CGraphElement>(bar->Clone());
    EXPECT_EQ(barCopy->CurveRegisterCount, 3);
    EXPECT_EQ(barCopy->TypeText, "16");
    const auto curve = std::static_pointer_cast<CGraphElement>(FilledGraph(1));
    EXPECT_EQ(std::static_pointer_cast<CGraphElement>(curve->Clone())->PreviewSamples, curve->PreviewSamples);
}

namespace {

// Selects `source`, gives it an address text, colours and a station of its
// own, and checks what its copy leaves at a new element's value.
template <class Element>
void ExpectLeftOut(Element& source, bool carriesColours, bool carriesStation)
{
    source.Selected = 1;
    source.SetColours(0x112233, 0x445566);
    source.SetStation(9);
    if constexpr (requires { source.AddressText; }) {
        source.AddressText = "12";
    }

    const auto copy = std::static_pointer_cast<Element>(source.Clone());
    const char* kind = typeid(source).name();
    EXPECT_EQ(copy->Selected, 0) << kind;
    if constexpr (requires { source.AddressText; }) {
        EXPECT_EQ(copy->AddressText, "0") << kind;
    }
    EXPECT_EQ(copy->GetDarkColour(), carriesColours ? 0x112233u : kDarkColour) << kind;
    EXPECT_EQ(copy->GetLightColour(), carriesColours ? 0x445566u : kLightColour) << kind;
    EXPECT_EQ(copy->GetStation(), carriesStation ? 9 : 1) << kind;
}

} // namespace

TEST(ElementCopy, LeavesOutTheSelectionTheAddressTextAndWhatEachClassKeeps)
{
    ExpectLeftOut(*std::static_pointer_cast<CFuncKeyElement>(FilledFuncKey()), false, true);
    ExpectLeftOut(*std::static_pointer_cast<CLampElement>(FilledLamp()), false, true);
    ExpectLeftOut(*std::static_pointer_cast<CRegisterElement>(FilledRegister()), true, true);
    ExpectLeftOut(*std::static_pointer_cast<CTextElement>(FilledDynamicText()), true, true);
    ExpectLeftOut(*std::static_pointer_cast<CGraphElement>(FilledGraph(1)), false, true);
    ExpectLeftOut(*std::static_pointer_cast<CPictureElement>(FilledPicture()), true, false);
}

TEST(ElementCopy, LiveValuesStartAnewButTheLampStateAndTheTypingCarry)
{
    CLampElement lamp;
    lamp.SetState(0);
    EXPECT_EQ(std::static_pointer_cast<CLampElement>(lamp.Clone())->GetState(), 0);

    CRegisterElement reg;
    reg.SetEntryText("12.34");
    reg.Typing = 1;
    const auto regCopy = std::static_pointer_cast<CRegisterElement>(reg.Clone());
    EXPECT_EQ(regCopy->GetEntryText(), "00000");
    EXPECT_EQ(regCopy->Typing, 1);

    const auto text = std::static_pointer_cast<CTextElement>(FilledDynamicText());
    text->SelectStateByValue(0);
    ASSERT_EQ(text->ShownEntry(), 0);
    EXPECT_EQ(std::static_pointer_cast<CTextElement>(text->Clone())->ShownEntry(), -1);

    const auto curve = std::static_pointer_cast<CGraphElement>(FilledGraph(1));
    curve->ShowLiveValue(50, 16);
    curve->Live().LastSampleTick = 3;
    curve->Live().ResetRequest = 1;
    const auto curveCopy = std::static_pointer_cast<CGraphElement>(curve->Clone());
    EXPECT_EQ(curveCopy->Live().CurrentValue, 0);
    EXPECT_TRUE(curveCopy->Live().PolledSamples.Values().empty());
    EXPECT_EQ(curveCopy->Live().LastSampleTick, 0);
    EXPECT_EQ(curveCopy->Live().ResetRequest, 0);
    // Each goes on with its own live state.
    curveCopy->ShowLiveValue(20, 16);
    EXPECT_EQ(curve->Live().PolledSamples.Values(), std::vector<int>{50});
}
