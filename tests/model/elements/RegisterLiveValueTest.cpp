#include "model/elements/RegisterLiveValue.h"

#include <gtest/gtest.h>

namespace {

RegisterFormat Decimal(int digits, int decimals = 0, bool isSigned = false)
{
    RegisterFormat f;
    f.digits = digits;
    f.decimals = decimals;
    f.isSigned = isSigned;
    return f;
}

struct LiveCase {
    const char* name;
    RegisterFormat format;
    uint32_t value;
    int width;
    const char* expected;
};

RegisterFormat With(RegisterFormat f, void (*change)(RegisterFormat&))
{
    change(f);
    return f;
}

}  // namespace

TEST(RegisterLiveValue, FormatsAsThePanelShowsIt)
{
    const LiveCase cases[] = {
        {"unsigned padded", Decimal(5), 1234, 16, "01234"},
        {"signed negative 16-bit", Decimal(5, 0, true), 65536 - 25, 16, "-00025"},
        {"signed with decimals", Decimal(5, 2, true), 1234, 16, "+012.34"},
        {"hex 16-bit", With(Decimal(4), [](RegisterFormat& f) { f.hexBcd = true; }), 0x1A, 16, "001A"},
        {"hex 32-bit", With(Decimal(8), [](RegisterFormat& f) { f.hexBcd = true; }), 0xBEEF, 32, "0000BEEF"},
        {"hex cut to digits", With(Decimal(2), [](RegisterFormat& f) { f.hexBcd = true; }), 0x1A, 16, "00"},
        {"right indent keeps leftmost", Decimal(3), 1234, 16, "012"},
        {"left indent keeps rightmost", With(Decimal(3), [](RegisterFormat& f) { f.alignment = 1; }), 1234, 16,
         "234"},
        {"signed -100", Decimal(5, 0, true), 65536 - 100, 16, "-00100"},
        {"signed -100 two decimals", Decimal(5, 2, true), 65536 - 100, 16, "-001.00"},
        {"all decimals", Decimal(4, 4), 1234, 16, "0.0123"},
        {"all decimals, left indent", With(Decimal(4, 4), [](RegisterFormat& f) { f.alignment = 1; }), 1234, 16,
         "0.1234"},
        {"signed 32-bit negative", Decimal(10, 0, true), 0xFFFFFFFFu, 32, "-0000000001"},
        {"signed 32-bit minimum", Decimal(10, 0, true), 0x80000000u, 32, "-2147483648"},
        {"signed 32-bit positive", Decimal(10, 3, true), 1234567, 32, "+0001234.567"},
        {"unsigned 32-bit", Decimal(10), 4294967295u, 32, "4294967295"},
        {"width 64 takes the value unchanged", Decimal(5, 0, true), 0x9000, 64, "+36864"},
        {"decimals above digits are kept to digits", Decimal(3, 7), 5, 16, "0.000"},
        {"more digits than the width pads", Decimal(8, 2), 123, 16, "000001.23"},
    };
    for (const LiveCase& c : cases)
        EXPECT_EQ(FormatLiveValue(c.format, c.value, c.width), c.expected) << c.name;
}

TEST(RegisterLiveValue, ClampsToRawLimitsOnlyWhenSettableOrScaled)
{
    RegisterFormat f = Decimal(5);
    f.rawUpper = 100;
    f.rawLower = 10;
    EXPECT_EQ(FormatLiveValue(f, 150, 16), "00150");
    f.settable = true;
    EXPECT_EQ(FormatLiveValue(f, 150, 16), "00100");
    EXPECT_EQ(FormatLiveValue(f, 3, 16), "00010");

    // Signed 16-bit: the low 16 bits compare as signed; an out-of-range value
    // takes the limit's low 16 bits.
    RegisterFormat s = Decimal(5, 0, true);
    s.settable = true;
    s.rawUpper = 50;
    s.rawLower = -50;
    EXPECT_EQ(ClampToRawLimits(s, 65536 - 80, 16), 65536u - 50);
    EXPECT_EQ(ClampToRawLimits(s, 65536 - 20, 16), 65536u - 20);
    EXPECT_EQ(ClampToRawLimits(s, 70, 16), 50u);
    // Signed 32-bit compares the whole value as signed.
    EXPECT_EQ(ClampToRawLimits(s, static_cast<uint32_t>(-80), 32), static_cast<uint32_t>(-50));
    // Unsigned registers compare as unsigned: -1 is far above the upper limit.
    EXPECT_EQ(ClampToRawLimits(f, 0xFFFFFFFFu, 32), 100u);
}

TEST(RegisterLiveValue, ScalesAndRoundsHalvesUp)
{
    RegisterFormat f = Decimal(5);
    f.engineeringScale = true;
    f.rawUpper = 4000;
    f.rawLower = 0;
    f.engUpper = 100;
    f.engLower = 0;
    EXPECT_EQ(FormatLiveValue(f, 2000, 16), "00050");
    EXPECT_EQ(FormatLiveValue(f, 1010, 16), "00025");  // 25.25
    EXPECT_EQ(FormatLiveValue(f, 1030, 16), "00026");  // 25.75
    EXPECT_EQ(FormatLiveValue(f, 9999, 16), "00100");  // clamped first

    // Signed: -2.7 is cut toward zero, -2.3 rounds up to -2 as well.
    RegisterFormat s = Decimal(5, 0, true);
    s.engineeringScale = true;
    s.rawLower = -100;
    s.rawUpper = 100;
    s.engLower = -10;
    s.engUpper = 10;
    EXPECT_EQ(FormatLiveValue(s, 65536 - 27, 16), "-00002");
    EXPECT_EQ(FormatLiveValue(s, 65536 - 23, 16), "-00002");
    EXPECT_EQ(FormatLiveValue(s, 65536 - 25, 16), "-00002");  // -2.5: ceil
    EXPECT_EQ(FormatLiveValue(s, 27, 16), "+00003");

    // 32-bit signed with spans taken as unsigned numbers.
    RegisterFormat s32 = s;
    s32.digits = 10;
    s32.rawLower = -1000000;
    s32.rawUpper = 1000000;
    s32.engLower = -100;
    s32.engUpper = 100;
    EXPECT_EQ(FormatLiveValue(s32, static_cast<uint32_t>(-500000), 32), "-0000000050");
}

TEST(RegisterLiveValue, ScalingWithoutRawSpanGivesOnlyBit31)
{
    RegisterFormat f = Decimal(10);
    f.engineeringScale = true;
    f.rawUpper = 5;
    f.rawLower = 5;
    EXPECT_EQ(ScaleToEngineering(f, 5, 32), 0x80000000u);
    EXPECT_EQ(FormatLiveValue(f, 5, 32), "2147483648");
    f.isSigned = true;
    EXPECT_EQ(FormatLiveValue(f, 5, 32), "-2147483648");
}

TEST(RegisterLiveValue, UnsignedScalingKeepsResultsAboveInt32)
{
    RegisterFormat f = Decimal(10);
    f.engineeringScale = true;
    f.rawUpper = 1000;
    f.rawLower = 0;
    f.engUpper = static_cast<int32_t>(4000000000u);
    f.engLower = 0;
    EXPECT_EQ(FormatLiveValue(f, 1000, 32), "4000000000");
}
