#include "model/elements/CGraphElement.h"
#include "pages/GraphValueRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr NumberFormat Hex = NumberFormat::Hex;
constexpr NumberFormat Unsigned = NumberFormat::Unsigned;
constexpr NumberFormat Signed = NumberFormat::Signed;

// The text a scale shows, as the pages write it.
std::string Shown(std::int32_t field, NumberFormat format, int bits)
{
    return FormatValueText(field, format, bits);
}

} // namespace

TEST(GraphValueRules, ScaleTextsAreCheckedByFormatAndWidth)
{
    struct Case {
        const char* text;
        NumberFormat format;
        int bits;
        std::optional<std::int64_t> value;
    };
    const Case cases[] = {
        {"-32768", Signed, 16, -32768},
        {"32767", Signed, 16, 32767},
        {"-32769", Signed, 16, std::nullopt},
        {"32768", Signed, 16, std::nullopt},
        {"1-2", Signed, 16, std::nullopt},
        {"-", Signed, 16, 0},
        {"", Signed, 16, 0},
        {"-2147483648", Signed, 32, -2147483648LL},
        {"-1234567890", Signed, 32, -1234567890},
        {"2147483647", Signed, 32, 2147483647},
        {"-2147483649", Signed, 32, std::nullopt},
        {"2147483648", Signed, 32, std::nullopt},
        {"65535", Unsigned, 16, 65535},
        {"65536", Unsigned, 16, std::nullopt},
        {"00065535", Unsigned, 16, 65535},
        {"4294967295", Unsigned, 32, 4294967295LL},
        {"4294967296", Unsigned, 32, std::nullopt},
        {"04294967295", Unsigned, 32, std::nullopt},
        {"12A", Unsigned, 32, std::nullopt},
        {"-1", Unsigned, 32, std::nullopt},
        {"FFFF", Hex, 16, 0xFFFF},
        {"0FFFF", Hex, 16, 0xFFFF},
        {"ffff", Hex, 16, 0xFFFF},
        {"1FFFF", Hex, 16, std::nullopt},
        {"FFFFFFFF", Hex, 32, 0xFFFFFFFFLL},
        {"0FFFFFFFF", Hex, 32, std::nullopt},
        {"G", Hex, 32, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto field = ReadScaleText(c.text, c.format, c.bits);
        ASSERT_EQ(field.has_value(), c.value.has_value()) << c.text << " at " << c.bits;
        if (c.value) {
            EXPECT_EQ(*field, ValueField(*c.value)) << c.text;
        }
    }
}

TEST(GraphValueRules, AFullScaleAtTheSixteenBitMaximumWidensAndNarrowsBack)
{
    const GraphScales standard{0, 0xFFFF};
    const GraphScales wide = FitScalesToWidth(standard, Unsigned, 32);
    EXPECT_EQ(Shown(wide.full, Unsigned, 32), "4294967295");
    EXPECT_EQ(FitScalesToWidth(wide, Unsigned, 16), standard);

    struct Case {
        NumberFormat format;
        GraphScales before;
        int bits;
        GraphScales after;
    };
    const Case cases[] = {
        // Widening touches only a full scale at the 16-bit maximum.
        {Signed, {-5, 32767}, 32, {-5, 2147483647}},
        {Hex, {0xFFFF, 0xFFFF}, 32, {0xFFFF, ValueField(0xFFFFFFFFLL)}},
        {Unsigned, {0, 1000}, 32, {0, 1000}},
        // Narrowing brings both into the 16-bit range.
        {Signed, {-40000, 40000}, 16, {-32768, 32767}},
        {Hex, {ValueField(0x12345678), ValueField(0xFFFFFFFFLL)}, 16, {0xFFFF, 0xFFFF}},
        {Unsigned, {7, 65535}, 16, {7, 65535}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitScalesToWidth(c.before, c.format, c.bits), c.after)
            << static_cast<int>(c.format) << " at " << c.bits;
}

TEST(GraphValueRules, FormatChangesKeepTheScalesInTheNewRange)
{
    // HEX/BCD after signed 32767 / -100: "FFFF" and "0".
    const GraphScales hex = FitScalesToFormat({-100, 32767}, Signed, Hex, 16, GraphKind::Bar);
    EXPECT_EQ(Shown(hex.full, Hex, 16), "FFFF");
    EXPECT_EQ(Shown(hex.zero, Hex, 16), "0");

    struct Case {
        NumberFormat from;
        NumberFormat to;
        int bits;
        GraphKind kind;
        GraphScales before;
        GraphScales after;
    };
    const Case cases[] = {
        {Unsigned, Hex, 16, GraphKind::Bar, {100, 32767}, {100, 0xFFFF}},
        {Signed, Unsigned, 32, GraphKind::Bar, {-1, 2147483647}, {0, ValueField(4294967295LL)}},
        {Signed, Unsigned, 16, GraphKind::Bar, {-1, 30000}, {0, 30000}},
        {Unsigned, Signed, 16, GraphKind::Bar, {40000, 65535}, {32767, 32767}},
        {Unsigned, Signed, 32, GraphKind::Bar, {0, ValueField(4294967295LL)}, {0, 2147483647}},
        // Only a curve takes a 32-bit full scale of 65535 as the signed maximum.
        {Unsigned, Signed, 32, GraphKind::Bar, {0, 65535}, {0, 65535}},
        {Unsigned, Signed, 32, GraphKind::Curve, {0, 65535}, {0, 2147483647}},
        // HEX and unsigned share the range: going decimal changes nothing.
        {Hex, Unsigned, 16, GraphKind::Bar, {0, 32767}, {0, 32767}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitScalesToFormat(c.before, c.from, c.to, c.bits, c.kind), c.after)
            << static_cast<int>(c.from) << " to " << static_cast<int>(c.to) << " at " << c.bits;
}

TEST(GraphValueRules, SpinStepsStayInTheRangeAndOnABarOnTheirSideOfTheOtherScale)
{
    const GraphScales scales{10, 11};
    // A bar's full scale steps down only while above the zero scale.
    EXPECT_EQ(StepScaleText("11", -1, ScaleEnd::Full, scales, Unsigned, 16, GraphKind::Bar), 10);
    EXPECT_EQ(StepScaleText("10", -1, ScaleEnd::Full, {10, 10}, Unsigned, 16, GraphKind::Bar), std::nullopt);
    EXPECT_EQ(StepScaleText("10", 1, ScaleEnd::Zero, {10, 10}, Unsigned, 16, GraphKind::Bar), std::nullopt);
    EXPECT_EQ(StepScaleText("10", -1, ScaleEnd::Zero, {10, 10}, Unsigned, 16, GraphKind::Bar), 9);
    // A curve's scales pass each other.
    EXPECT_EQ(StepScaleText("10", -1, ScaleEnd::Full, {10, 10}, Signed, 32, GraphKind::Curve), 9);
    EXPECT_EQ(StepScaleText("10", 1, ScaleEnd::Zero, {10, 10}, Signed, 32, GraphKind::Curve), 11);
    // The ends of the range, a HEX text, and a text that is refused.
    EXPECT_EQ(StepScaleText("FFFF", 1, ScaleEnd::Full, {0, 0xFFFF}, Hex, 16, GraphKind::Curve), std::nullopt);
    EXPECT_EQ(StepScaleText("ff", 1, ScaleEnd::Full, {0, 0xFF}, Hex, 16, GraphKind::Bar), 0x100);
    EXPECT_EQ(StepScaleText("-32768", -1, ScaleEnd::Zero, {-32768, 0}, Signed, 16, GraphKind::Bar), std::nullopt);
    EXPECT_EQ(StepScaleText("x", 1, ScaleEnd::Zero, {0, 5}, Signed, 16, GraphKind::Bar), std::nullopt);
}

TEST(GraphValueRules, RegisterCountTwoNeedsTheNextWord)
{
    EXPECT_EQ(GraphRegisterCount(1, 16, false), 1);
    EXPECT_EQ(GraphRegisterCount(2, 16, true), 2);
    EXPECT_EQ(GraphRegisterCount(2, 16, false), std::nullopt);
    EXPECT_EQ(GraphRegisterCount(3, 16, true), std::nullopt);
    EXPECT_EQ(GraphRegisterCount(0, 16, true), std::nullopt);
    // A 32-bit word is one register, whatever is typed.
    EXPECT_EQ(GraphRegisterCount(2, 32, true), 1);
}

TEST(GraphValueRules, PreviewsOfNewGraphs)
{
    EXPECT_EQ(CGraphElement(0).PreviewValue, 21845);
    EXPECT_EQ(CGraphElement(1).PreviewSamples, (std::vector<int>{0, 43690, 21845, 32767, 21845}));
    GraphScale scale;
    scale.zero = -100;
    scale.fullScale = 32767;
    EXPECT_EQ(BarPreviewValue(scale), -100 + 32867 / 3);
}
