#include "simulator/EntryConversion.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr std::uint32_t Refused = 0xDEADBEEF;

RegisterFormat Decimal(int digits, int decimals, bool isSigned, std::int32_t rawLower, std::int32_t rawUpper)
{
    RegisterFormat f;
    f.digits = digits;
    f.decimals = decimals;
    f.isSigned = isSigned;
    f.rawLower = rawLower;
    f.rawUpper = rawUpper;
    return f;
}

RegisterFormat Hex(int digits, std::int32_t rawUpper)
{
    RegisterFormat f = Decimal(digits, 0, false, 0, rawUpper);
    f.hexBcd = true;
    return f;
}

RegisterFormat Scaled(RegisterFormat f, std::int32_t engLower, std::int32_t engUpper)
{
    f.engineeringScale = true;
    f.engLower = engLower;
    f.engUpper = engUpper;
    return f;
}

RegisterFormat LeftIndent(RegisterFormat f)
{
    f.alignment = 1;
    return f;
}

} // namespace

TEST(EntryConversion, WidthOfTheValueEntryWrites)
{
    EXPECT_EQ(EntryWidth(16, 1), 16);
    EXPECT_EQ(EntryWidth(16, 2), 32);
    EXPECT_EQ(EntryWidth(32, 1), 32);
    EXPECT_EQ(EntryWidth(32, 2), 0);
    EXPECT_EQ(EntryWidth(0, 1), 0);
}

TEST(EntryConversion, ByWidthFormatLimitsAndScaling)
{
    struct Case {
        const char* what;
        const char* text;
        RegisterFormat format;
        int width;
        std::uint32_t expected;
    };
    const Case cases[] = {
        // 16-bit decimal: the text scaled to the decimals, right indent
        // shifting by the digits not shown, range before limits.
        {"two decimals", "012.34", Decimal(5, 2, false, 0, 9999), 16, 1234},
        {"over the raw upper limit", "100.01", Decimal(5, 2, false, 0, 9999), 16, Refused},
        {"right indent shifts by the digits not shown", "123", Decimal(3, 0, false, 0, 65535), 16, 12300},
        {"left indent does not shift", "123", LeftIndent(Decimal(3, 0, false, 0, 65535)), 16, 123},
        {"shifted past the range", "999", Decimal(3, 0, false, 0, 65535), 16, Refused},
        {"signed negative", "-01234", Decimal(5, 0, true, -32768, 32767), 16, 0xFB2E},
        {"signed below the range", "-32769", Decimal(5, 0, true, -32768, 32767), 16, Refused},
        {"signed limits as 16-bit numbers", "-00010", Decimal(5, 0, true, 0xFFF6, 10), 16, 0xFFF6},
        {"below a signed lower limit", "-00011", Decimal(5, 0, true, 0xFFF6, 10), 16, Refused},
        {"unsigned limits as 16-bit numbers", "65535", Decimal(5, 0, false, 0, -1), 16, 0xFFFF},
        // engineering scaling rounds halves upward
        {"scaled by four", "00333", Scaled(Decimal(5, 0, false, 0, 4000), 0, 1000), 16, 1332},
        {"scaled half rounds up", "00001", Scaled(Decimal(5, 0, false, 0, 1000), 0, 400), 16, 3},
        {"scaled whole", "00002", Scaled(Decimal(5, 0, false, 0, 1000), 0, 400), 16, 5},
        {"over the engineering limit", "00401", Scaled(Decimal(5, 0, false, 0, 1000), 0, 400), 16, Refused},
        {"equal engineering limits refuse", "00005", Scaled(Decimal(5, 0, false, 0, 1000), 5, 5), 16, Refused},
        // 16-bit HEX: digits only, shifted by the nibbles not shown
        {"hex", "1A2F", Hex(4, 0xFFFF), 16, 0x1A2F},
        {"hex right indent", "1A", Hex(2, 0xFFFF), 16, 0x1A00},
        {"hex lower case", "ff", LeftIndent(Hex(2, 0xFFFF)), 16, 0xFF},
        {"hex over the limit", "1A2F", Hex(4, 0x1000), 16, Refused},
        {"hex with more digits than the width is not shifted down", "0FFFF", Hex(5, 0xFFFF), 16, 0xFFFF},
        {"hex wider than the width", "10000", Hex(5, 0xFFFF), 16, Refused},
        // 32-bit decimal: digits, the sign from a leading "-", cut toward zero
        {"s32 lowest", "-2147483648", Decimal(10, 0, true, INT_MIN, INT_MAX), 32, 0x80000000},
        {"s32 past the highest", "+2147483648", Decimal(10, 0, true, INT_MIN, INT_MAX), 32, Refused},
        {"s32 highest", "+2147483647", Decimal(10, 0, true, INT_MIN, INT_MAX), 32, 0x7FFFFFFF},
        {"s32 point ignored", "-0000012.34", Decimal(10, 2, true, INT_MIN, INT_MAX), 32, static_cast<std::uint32_t>(-1234)},
        {"s32 right indent", "-12", Decimal(2, 0, true, INT_MIN, INT_MAX), 32, static_cast<std::uint32_t>(-1200000000)},
        {"s32 right indent past the range", "-22", Decimal(2, 0, true, INT_MIN, INT_MAX), 32, Refused},
        {"u32 highest", "4294967295", Decimal(10, 0, false, 0, -1), 32, 0xFFFFFFFF},
        {"u32 past the highest", "4294967296", Decimal(10, 0, false, 0, -1), 32, Refused},
        {"u32 scaled cuts toward zero", "0000000001", Scaled(Decimal(10, 0, false, 0, 1000), 0, 400), 32, 2},
        {"s32 scaled negative cuts toward zero", "-0000000001", Scaled(Decimal(10, 0, true, -1000, 1000), -400, 400),
            32, static_cast<std::uint32_t>(-2)},
        // 32-bit HEX
        {"hex32", "DEADBEEF", Hex(8, -1), 32, 0xDEADBEEF},
        {"hex32 right indent", "BEEF", Hex(4, -1), 32, 0xBEEF0000},
        // no value entry for other widths
        {"no width", "1", Decimal(5, 0, false, 0, 65535), 0, Refused},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ConvertEntry(c.text, c.format, c.width).value_or(Refused), c.expected);
    }
}
