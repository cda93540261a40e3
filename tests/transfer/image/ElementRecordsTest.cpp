// The element records of lamps, registers, graphs, texts and pictures inside
// a screen record, and the checks that stop the build at an element.

#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "transfer/image/ImageFixture.h"

using namespace image_test;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

using ElementRecords = ImageTest;

std::shared_ptr<CRegisterElement> Register(const std::string& element = "R0")
{
    auto reg = std::make_shared<CRegisterElement>();
    Bind(*reg, "Reg", element);
    return reg;
}

std::shared_ptr<CGraphElement> Curve(int points, const std::string& element)
{
    auto curve = std::make_shared<CGraphElement>(1);
    Bind(*curve, "Reg", element);
    curve->DataPoints = points;
    curve->SetSize(100, 40);
    return curve;
}

std::shared_ptr<CTextElement> DynamicText(std::vector<DynTextEntry> entries, int wordSize = 16)
{
    auto text = std::make_shared<CTextElement>(1);
    Bind(*text, wordSize == 16 ? "Reg" : "Bits", wordSize == 16 ? "R1" : "B3");
    text->WordSize = wordSize;
    text->SetHexBcd(0); // unsigned decimal
    for (const DynTextEntry& e : entries)
        text->AddState(e.text, e.value);
    return text;
}

TEST_F(ElementRecords, LampStoresItsBitPlaceAndStyle)
{
    auto lamp = Add(std::make_shared<CLampElement>());
    Bind(*lamp, "Coil", "C3");
    lamp->SetPosition(10, 20);
    lamp->SetShape(1);
    auto data = Build();
    ASSERT_TRUE(data);
    EXPECT_THAT(ElementBytes(*data), ElementsAre(6, 10, 20, 1, 0, 4));

    // Double size, negative logic and the other shape member value.
    lamp->SetDoubleSize(1);
    lamp->SetLogic(0);
    lamp->SetShape(0);
    data = Build();
    ASSERT_TRUE(data);
    EXPECT_EQ(ElementBytes(*data)[5], 0x03);
}

TEST_F(ElementRecords, LampOfABitInsideAWordTakesTheWordBitPlace)
{
    auto first = Add(std::make_shared<CLampElement>());
    Bind(*first, "Coil", "C0");
    auto second = Add(std::make_shared<CLampElement>());
    Bind(*second, "Bits", "B5");
    const auto data = Build();
    ASSERT_TRUE(data);
    const auto bytes = ElementBytes(*data);
    // Both bits share screen-memory word 1, at indexes 0 and 1.
    EXPECT_THAT(std::vector(bytes.begin() + 9, bytes.begin() + 11), ElementsAre(1, 1));
}

TEST_F(ElementRecords, LampWithoutTheLibraryHasNoMemoryPlace)
{
    doc.UseProtocolLibrary = 0;
    auto lamp = Add(std::make_shared<CLampElement>());
    Bind(*lamp, "Coil", "C3");
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.calls, ElementsAre("GoToElement 0 0 1", "ShowMessage 61294"));
}

TEST_F(ElementRecords, RegisterRecordAndTheScreenRegisterCount)
{
    auto reg = Add(Register());
    reg->SetPosition(3, 4);
    auto data = Build();
    ASSERT_TRUE(data);
    auto bytes = ElementBytes(*data);
    ASSERT_EQ(bytes.size(), 15u);
    EXPECT_THAT(std::vector(bytes.begin(), bytes.begin() + 8), ElementsAre(9, 3, 4, 0, 0, 2, 0, 1));
    EXPECT_THAT(std::vector(bytes.begin() + 8, bytes.end()), ElementsAre(0x04, 0x05, 0x00, 0xFF, 0xFF, 0x00, 0x00));
    EXPECT_EQ(static_cast<std::uint8_t>(data->bytes[1]), 0x81);

    // Settable: the limits are the register's own, the library's write of
    // zero follows as [out3][command][out1][out4], and byte 1 loses 0x80.
    reg->SetSettable(1);
    reg->SetRawRange(500, 10);
    data = Build();
    ASSERT_TRUE(data);
    bytes = ElementBytes(*data);
    EXPECT_EQ(static_cast<std::uint8_t>(data->bytes[1]), 0x01);
    EXPECT_THAT(std::vector(bytes.begin() + 11, bytes.begin() + 15), ElementsAre(0xF4, 0x01, 0x0A, 0x00));
    ASSERT_EQ(bytes.size(), 15u + 1 + 8 + 2);
    EXPECT_EQ(bytes[15], 8); // a Modbus write of one register is 8 bytes
    EXPECT_THAT(std::vector(bytes.begin() + 16, bytes.begin() + 20), ElementsAre(1, 0x06, 0x00, 100));
    EXPECT_THAT(std::vector(bytes.end() - 2, bytes.end()), ElementsAre(0, 4));
}

TEST_F(ElementRecords, RegisterFlagsLimitsAndOrdinals)
{
    auto first = Add(Register("R0"));
    auto wide = Add(Register("D1"));
    Bind(*wide, "DReg", "D1");
    wide->WordSize = 32;
    wide->RegisterCount = 2;
    wide->SetSigned(1);
    wide->SetRawRange(0x7FFF, 0);
    wide->SetEngineeringScale(1);
    wide->EngUpper = 1000;
    wide->EngLower = -1000;
    wide->SetDecimals(2);
    wide->SetDigits(7);
    wide->SetPasswordProtected(1);
    wide->PasswordLevel = 1;
    wide->SetAlignment(1);
    const auto data = Build();
    ASSERT_TRUE(data);
    const auto bytes = ElementBytes(*data);
    const auto second = std::vector(bytes.begin() + 15, bytes.end());
    ASSERT_EQ(second.size(), 11u + 16);
    EXPECT_EQ(second[3], 2);    // level 1 + 1
    EXPECT_EQ(second[4], 1);    // two registers
    EXPECT_EQ(second[5], 3);    // group DReg
    EXPECT_EQ(second[8], 0x0C | 0x10 | 0x20 | 0x40 | 0x80);
    EXPECT_EQ(second[9], 0x27); // 2 decimals, 7 digits
    EXPECT_EQ(second[10], 1);   // the screen's second register
    EXPECT_THAT(std::vector(second.begin() + 11, second.end()),
        ElementsAre(0xFF, 0x7F, 0, 0, 0, 0, 0, 0, 0xE8, 0x03, 0, 0, 0x18, 0xFC, 0xFF, 0xFF));
    EXPECT_EQ(static_cast<std::uint8_t>(data->bytes[1]), 0x82);
}

TEST_F(ElementRecords, RegisterOfStationZeroIsNotPolled)
{
    auto reg = Add(Register());
    reg->SetStation(0);
    const auto data = Build();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->bytes[7], 0); // no poll record
    EXPECT_EQ(ElementBytes(*data)[7], 99);
}

TEST_F(ElementRecords, RegisterWithoutTheLibraryStoresTheWriteMarker)
{
    doc.UseProtocolLibrary = 0;
    auto reg = Add(Register());
    reg->SetStation(0);
    reg->SetSettable(1);
    auto wide = Add(Register());
    wide->SetStation(0);
    wide->SetSettable(1);
    wide->RegisterCount = 2;
    const auto data = Build();
    ASSERT_TRUE(data);
    const auto bytes = ElementBytes(*data);
    EXPECT_THAT(std::vector(bytes.begin() + 15, bytes.begin() + 18), ElementsAre(0, 3, 0));
    EXPECT_THAT(std::vector(bytes.end() - 3, bytes.end()), ElementsAre(0, 4, 3));
}

TEST_F(ElementRecords, ReversedRegisterLimitsFailAtTheRegister)
{
    struct Case {
        bool isSigned;
        bool wide;
        int upper, lower;
        bool fails;
    };
    const Case cases[] = {
        {true, false, 0xFFFF, 0, true},  // -1 below 0
        {false, false, 0xFFFF, 0, false},
        {true, true, 0xFFFF, 0, false},  // 65535 as a 32-bit number
        {false, true, -1, 5, false},     // 0xFFFFFFFF unsigned
        {true, true, -1, 5, true},
        {false, false, 4, 5, true},
    };
    for (const Case& c : cases) {
        doc.Screens[0].Elements.clear();
        ui.calls.clear();
        Bind(*Add(std::make_shared<CLampElement>()), "Coil", "C0");
        auto reg = Add(Register());
        reg->SetSigned(c.isSigned);
        reg->RegisterCount = c.wide ? 2 : 1;
        reg->SetRawRange(c.upper, c.lower);
        reg->EngUpper = 0x7FFF;
        EXPECT_EQ(!Build(), c.fails) << c.upper << " " << c.lower;
        if (c.fails) {
            EXPECT_THAT(ui.calls, ElementsAre("ShowMessage 61370", "GoToElement 0 1 2"));
        }
    }
}

TEST_F(ElementRecords, ReversedEngineeringLimitsFail)
{
    auto reg = Add(Register());
    reg->EngUpper = 10;
    reg->EngLower = 11;
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.calls, ElementsAre("ShowMessage 61370", "GoToElement 0 0 2"));
}

TEST_F(ElementRecords, RefusedRegisterWriteStopsWithoutSelecting)
{
    // Station 0 is not polled, so only the write reaches past 0xFFFF.
    auto reg = Add(Register("RTop"));
    reg->SetStation(0);
    reg->SetSettable(1);
    reg->RegisterCount = 2;
    reg->SetRawRange(1, 0);
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.calls, ElementsAre("ShowMessage 61245"));
}

TEST_F(ElementRecords, RegisterWithoutPollPlaceFails)
{
    doc.UseProtocolLibrary = 0;
    Add(Register());
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.calls, ElementsAre("GoToElement 0 0 2", "ShowMessage 61294"));
}

TEST_F(ElementRecords, BarGraphRecord)
{
    auto bar = std::make_shared<CGraphElement>(0);
    Bind(*bar, "Reg", "R2");
    bar->SetDirection(2);
    bar->SetSize(20, 60);
    bar->FullScale = 1000;
    bar->Zero = 10;
    Add(bar);
    const auto data = Build();
    ASSERT_TRUE(data);
    EXPECT_THAT(ElementBytes(*data), ElementsAre(10, 0, 0, 0, 1, 0x05, 20, 60, 0xE8, 0x03, 0x0A, 0x00));
}

TEST_F(ElementRecords, BarWithoutTheLibraryNamesItsAddressText)
{
    doc.UseProtocolLibrary = 0;
    auto bar = std::make_shared<CGraphElement>(0);
    bar->AddressText = "77";
    bar->WordSize = 32;
    bar->SetHexBcd(1);
    Add(bar);
    const auto data = Build();
    ASSERT_TRUE(data);
    const auto bytes = ElementBytes(*data);
    ASSERT_EQ(bytes.size(), 16u);
    EXPECT_EQ(bytes[4], 77);
    EXPECT_EQ(bytes[5], 0x10); // direction 1, HEX/BCD, 32-bit
}

TEST_F(ElementRecords, CurvesShareTheScreensSampleStore)
{
    auto first = Add(Curve(200, "R0"));
    first->SetPosition(4, 10);
    first->SampleInterval = 300;
    Add(Curve(184, "R1"));
    const auto data = Build();
    ASSERT_TRUE(data);
    const auto bytes = ElementBytes(*data);
    ASSERT_EQ(bytes.size(), 36u);
    EXPECT_THAT(std::vector(bytes.begin(), bytes.begin() + 18),
        ElementsAre(11, 4, 49, 0, 100, 40, 1, 0x04, 200, 0x2C, 0x01, 0, 0, 0, 0xFF, 0xFF, 0, 0));
    EXPECT_EQ(bytes[18 + 8], 184);
    EXPECT_EQ(bytes[18 + 11], 1);
    EXPECT_THAT(std::vector(bytes.begin() + 18 + 12, bytes.begin() + 18 + 14), ElementsAre(0xC8, 0x00));
}

TEST_F(ElementRecords, CurvePointsAbove384FailAtTheCurve)
{
    Add(Curve(200, "R0"));
    Add(Curve(185, "R1"));
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.calls, ElementsAre("ShowMessage 61387", "GoToElement 0 1 4"));
}

TEST_F(ElementRecords, CurvePointsCountPerScreen)
{
    Add(Curve(300, "R0"));
    Screen().UpKeyScreen = Screen().DownKeyScreen = 1;
    AddScreen(2);
    Add(Curve(300, "R1"), 1);
    const auto data = Build();
    ASSERT_TRUE(data);
    const auto second = ElementBytes(*data, 1);
    EXPECT_THAT(std::vector(second.begin() + 11, second.begin() + 14), ElementsAre(0, 0, 0));
}

TEST_F(ElementRecords, GraphZeroAboveFullScaleFails)
{
    auto bar = std::make_shared<CGraphElement>(0);
    Bind(*bar, "Reg", "R2");
    bar->SetSigned(1);
    bar->FullScale = 0xFFFF; // -1 as a signed 16-bit value
    bar->Zero = 0;
    Bind(*Add(std::make_shared<CLampElement>()), "Coil", "C0");
    Add(bar);
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.calls, ElementsAre("ShowMessage 61369", "GoToElement 0 1 4"));
}

TEST_F(ElementRecords, StaticTextCountsCharacters)
{
    auto text = Add(std::make_shared<CTextElement>(0));
    text->SetText("AB");
    auto data = Build();
    ASSERT_TRUE(data);
    EXPECT_THAT(ElementBytes(*data), ElementsAre(1, 0, 0, 0, 2, 0x41, 0x42));

    text->SetText(kAh + "A");
    text->SetInverse(1);
    text->SetDoubleSize(1);
    data = Build();
    ASSERT_TRUE(data);
    EXPECT_THAT(ElementBytes(*data), ElementsAre(1, 0, 0, 3, 2, 0x80, 0x00, 0x41));
}

// The count byte holds the characters: up to 255 of them, however many bytes
// they take; one more is refused at the text, before anything is sent.
TEST_F(ElementRecords, StaticTextOfMoreThan255CharactersFailsAtTheText)
{
    auto lamp = Add(std::make_shared<CLampElement>());
    Bind(*lamp, "Coil", "C0");
    auto text = Add(std::make_shared<CTextElement>(0));
    std::string doubleByte;
    for (int k = 0; k < 255; ++k)
        doubleByte += k % 2 ? kAh : kA;
    const struct {
        std::string text;
        bool fits;
    } cases[] = {
        {std::string(255, 'x'), true},
        {doubleByte, true},
        {std::string(256, 'x'), false},
        {doubleByte + "x", false},
        {std::string(300, 'x'), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.size());
        ui.calls.clear();
        text->SetText(c.text);
        const auto data = Build();
        EXPECT_EQ(data.has_value(), c.fits);
        if (c.fits) {
            const std::vector<std::uint8_t> bytes = ElementBytes(*data);
            EXPECT_EQ(bytes[6 + 4], 255); // after the lamp's 6 bytes
            EXPECT_EQ(bytes.size(), 6 + 5 + c.text.size());
        } else {
            EXPECT_THAT(ui.calls, ElementsAre("ShowMessage 61551", "GoToElement 0 1 3"));
        }
    }
}

TEST_F(ElementRecords, WordBoundDynamicTextStoresValuesAndTexts)
{
    auto text = Add(DynamicText({{"ON", "1"}, {"X", ""}, {kAh + "A", "-2"}}));
    text->SetPosition(5, 6);
    const auto data = Build();
    ASSERT_TRUE(data);
    EXPECT_THAT(ElementBytes(*data),
        ElementsAre(8, 5, 6, 1, 0x40, 2, 0x01, 0x00, 2, 'O', 'N', 0xFE, 0xFF, 3, 0x80, 0x00, 'A'));
}

TEST_F(ElementRecords, DynamicTextDuplicateValuesFail)
{
    // Values compare as numbers.
    for (const char* second : {"1", "01", "+1"}) {
        doc.Screens[0].Elements.clear();
        ui.calls.clear();
        Add(DynamicText({{"ON", "1"}, {"X", ""}, {"OFF", second}}));
        EXPECT_FALSE(Build()) << second;
        EXPECT_THAT(ui.calls, ElementsAre("ShowMessage 61379", "GoToElement 0 0 3"));
    }
    doc.Screens[0].Elements.clear();
    Add(DynamicText({{"ON", "1"}, {"X", ""}}));
    const auto data = Build();
    ASSERT_TRUE(data);
    EXPECT_THAT(ElementBytes(*data), ElementsAre(8, 0, 0, 1, 0x40, 1, 0x01, 0x00, 0x02, 'O', 'N'));
}

TEST_F(ElementRecords, BitBoundDynamicTextStoresTwoStates)
{
    auto text = Add(DynamicText({{"", ""}, {"OFF", "0"}}, 0));
    text->SetSigned(1);
    auto data = Build();
    ASSERT_TRUE(data);
    // Word-bit bit B3 is the screen's first bit: word 1, index 0; the second
    // state has no entry.
    EXPECT_THAT(ElementBytes(*data), ElementsAre(8, 0, 0, 1, 0x04 | 0xC0, 0, 3, 'O', 'F', 'F', 0));

    text->AddState("ON", "1");
    data = Build();
    ASSERT_TRUE(data);
    EXPECT_THAT(ElementBytes(*data), ElementsAre(8, 0, 0, 1, 0xC4, 0, 3, 'O', 'F', 'F', 2, 'O', 'N'));
}

TEST_F(ElementRecords, DynamicTextWithoutTheLibrary)
{
    doc.UseProtocolLibrary = 0;
    auto text = Add(DynamicText({{"A", "1"}, {"B", "1"}}, 0));
    text->AddressText = "12";
    const auto data = Build();
    ASSERT_TRUE(data); // duplicates are checked only for word-bound texts with the library
    EXPECT_THAT(ElementBytes(*data), ElementsAre(8, 0, 0, 12, 0x44, 3, 1, 'A', 1, 'B'));
}

TEST_F(ElementRecords, PictureIsPackedInPagesOfEightRows)
{
    auto picture = std::make_shared<CPictureElement>();
    picture->SetSize(2, 9);
    std::vector<std::uint8_t> pixels(CPictureElement::kPixelStoreSize, 0xFF);
    // Column 0 dark in rows 0 and 8; column 1 white.
    for (int row : {0, 8})
        std::fill_n(pixels.begin() + row * 2 * 4, 3, 0);
    picture->SetPixelStore(pixels);
    Add(picture);
    auto data = Build();
    ASSERT_TRUE(data);
    EXPECT_THAT(ElementBytes(*data), ElementsAre(2, 0, 0, 2, 9, 4, 4, 0, 0x01, 0x00, 0x01, 0x00));

    picture->SetSize(2, 8);
    picture->SetPixelStore(pixels);
    data = Build();
    ASSERT_TRUE(data);
    EXPECT_THAT(ElementBytes(*data), ElementsAre(2, 0, 0, 2, 8, 4, 2, 0, 0x01, 0x00));
}

TEST_F(ElementRecords, PictureStretchedIntoItsBoxKeepsDarkDots)
{
    auto picture = std::make_shared<CPictureElement>();
    picture->SetSize(4, 1);
    std::vector<std::uint8_t> pixels(CPictureElement::kPixelStoreSize, 0xFF);
    std::fill_n(pixels.begin() + 3 * 4, 3, 0); // the last dot dark
    picture->SetPixelStore(pixels);
    picture->SetBoxSize(2, 2); // shrunk across, stretched down
    Add(picture);
    const auto data = Build();
    ASSERT_TRUE(data);
    EXPECT_THAT(ElementBytes(*data), ElementsAre(2, 0, 0, 2, 2, 4, 2, 0, 0x00, 0x03));

    // Without a bitmap nothing is dark.
    auto blank = std::make_shared<CPictureElement>();
    blank->SetBoxSize(3, 3);
    Screen().Elements[0].element = blank;
    const auto empty = Build();
    ASSERT_TRUE(empty);
    EXPECT_THAT(ElementBytes(*empty), ElementsAre(2, 0, 0, 3, 3, 4, 3, 0, 0, 0, 0));
}

} // namespace

namespace {

// Every character of `many` but its last, in texts of as many characters as
// a static text takes.
std::vector<std::string> AllButTheLastCharacter(const ManyCharacters& many)
{
    std::vector<std::string> texts;
    const std::size_t count = many.characters.size() - 1;
    for (std::size_t first = 0; first < count; first += 255) {
        texts.emplace_back();
        for (std::size_t k = first; k < std::min(count, first + 255); ++k)
            texts.back() += many.characters[k];
    }
    return texts;
}

TEST_F(ElementRecords, TextsOutOfCharactersFailAtTheirElement)
{
    auto lamp = Add(std::make_shared<CLampElement>());
    Bind(*lamp, "Coil", "C0");
    auto text = Add(std::make_shared<CTextElement>(0));
    text->SetText("x" + kNoGlyph);
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.calls, ElementsAre("ShowMessageText", "GoToElement 0 1 3"));
    EXPECT_EQ(ui.messages[0].gbkText, GbkFromUtf8("字库中没有汉字\"埃\"!"));

    // 1201 characters: the last text's new character fails.
    ui.calls.clear();
    const ManyCharacters& many = TooManyCharacters();
    font = many.font;
    Screen().Elements.pop_back(); // the text without a glyph
    for (const std::string& part : AllButTheLastCharacter(many))
        Add(std::make_shared<CTextElement>(0))->SetText(part);
    Add(DynamicText({{many.characters[5] + many.characters.back(), "1"}}));
    const std::string last = std::to_string(Screen().Elements.size() - 1);
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.calls, ElementsAre("ShowMessage 61402", "GoToElement 0 " + last + " 3"));
}

TEST_F(ElementRecords, AlarmTextsOutOfCharactersFail)
{
    const ManyCharacters& many = TooManyCharacters();
    font = many.font;
    for (const std::string& part : AllButTheLastCharacter(many))
        Add(std::make_shared<CTextElement>(0))->SetText(part);
    AlarmBlock block;
    block.GroupMode = WordBitMode;
    block.AlarmCount = 1;
    block.StartAddress = 50;
    block.Station = 1;
    block.Texts[0] = many.characters.back();
    doc.AlarmBlocks = {block};
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.calls, ElementsAre("ShowMessage 61402"));
}

} // namespace
