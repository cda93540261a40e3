#include "base/ValueText.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr auto Hex = NumberFormat::Hex;
constexpr auto Unsigned = NumberFormat::Unsigned;
constexpr auto Signed = NumberFormat::Signed;
constexpr std::optional<std::int64_t> Refused;

struct ParseCase {
    const char* text;
    NumberFormat format;
    int bits;
    std::optional<std::int64_t> value;
};

} // namespace

TEST(ValueText, ParsesTypedTextsOfEveryFormatAndWidth)
{
    const ParseCase cases[] = {
        // Empty text and a lone minus.
        {"", Hex, 16, 0}, {"", Unsigned, 32, 0}, {"", Signed, 16, 0},
        {"-", Signed, 16, 0}, {"-", Signed, 32, 0}, {"-", Unsigned, 16, Refused}, {"-", Hex, 32, Refused},
        // Signed 16: both ends and one beyond each.
        {"32767", Signed, 16, 32767}, {"-32768", Signed, 16, -32768},
        {"32768", Signed, 16, Refused}, {"-32769", Signed, 16, Refused},
        {"5-", Signed, 16, Refused}, {"--5", Signed, 16, Refused}, {"+5", Signed, 16, Refused}, {"-0", Signed, 16, 0},
        // Signed 32, judged on the digits (no wrap to a negative number).
        {"2147483647", Signed, 32, 2147483647LL}, {"-2147483648", Signed, 32, -2147483648LL},
        {"2147483648", Signed, 32, Refused}, {"-2147483649", Signed, 32, Refused},
        {"4294967295", Signed, 32, Refused}, {"99999999999", Signed, 32, Refused},
        // Unsigned 16 and 32.
        {"65535", Unsigned, 16, 65535}, {"65536", Unsigned, 16, Refused}, {"65536", Unsigned, 32, 65536},
        {"4294967295", Unsigned, 32, 4294967295LL}, {"4294967296", Unsigned, 32, Refused},
        {"9999999999", Unsigned, 32, Refused}, {"-1", Unsigned, 32, Refused}, {"12a", Unsigned, 32, Refused},
        {" 1", Unsigned, 16, Refused}, {"1 ", Unsigned, 16, Refused},
        // HEX 16 and 32, either case.
        {"ff", Hex, 16, 255}, {"FF", Hex, 16, 255}, {"ffff", Hex, 16, 0xFFFF}, {"10000", Hex, 16, Refused},
        {"1FFFF", Hex, 16, Refused}, {"1FFFF", Hex, 32, 0x1FFFF}, {"FFFFFFFF", Hex, 32, 0xFFFFFFFFLL},
        {"-1", Hex, 16, Refused}, {"-FF", Hex, 32, Refused}, {"G", Hex, 32, Refused}, {"0x1", Hex, 32, Refused},
        // Leading zeros count as digits: allowed up to 8 HEX or 10 decimal digits.
        {"00FF", Hex, 16, 255}, {"0000FFFF", Hex, 16, 0xFFFF}, {"00000FFFF", Hex, 16, Refused},
        {"000FFFFFFFF", Hex, 32, Refused}, {"0000065535", Unsigned, 16, 65535}, {"00000065535", Unsigned, 16, Refused},
        {"-0000032768", Signed, 16, -32768}, {"-00000032768", Signed, 16, Refused},
        // No length of text overflows the check.
        {"18446744073709551616", Unsigned, 32, Refused}, {"-99999999999999999999", Signed, 32, Refused},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseValueText(c.text, c.format, c.bits), c.value)
            << '"' << c.text << "\" format " << static_cast<int>(c.format) << " bits " << c.bits;
}

TEST(ValueText, DigitLimitIsTheCallersChoice)
{
    const DigitLimit rangeWide{4, 5};
    EXPECT_EQ(ParseValueText("0FFF", Hex, 16, rangeWide), 0xFFF);
    EXPECT_EQ(ParseValueText("00FFF", Hex, 16, rangeWide), Refused);
    EXPECT_EQ(ParseValueText("00001", Unsigned, 16, rangeWide), 1);
    EXPECT_EQ(ParseValueText("000001", Unsigned, 16, rangeWide), Refused);
    EXPECT_EQ(ParseValueText("-00001", Signed, 16, rangeWide), -1);

    const DigitLimit tenHexDigits{10, 10};
    EXPECT_EQ(ParseValueText("00FFFFFFFF", Hex, 32, tenHexDigits), 0xFFFFFFFFLL);
    EXPECT_EQ(ParseValueText("00FFFFFFFF", Hex, 32), Refused);
}

TEST(ValueText, WidthDigitsAreThoseOfTheWidestValue)
{
    EXPECT_EQ(ParseValueText("FFFF", Hex, 16, WidthDigitLimit(16)), 0xFFFF);
    EXPECT_EQ(ParseValueText("0FFFF", Hex, 16, WidthDigitLimit(16)), Refused);
    EXPECT_EQ(ParseValueText("-32768", Signed, 16, WidthDigitLimit(16)), -32768);
    EXPECT_EQ(ParseValueText("0FFFFFFFF", Hex, 32, WidthDigitLimit(32)), Refused);
    EXPECT_EQ(MaxValueDigits(Hex, 16), 4);
    EXPECT_EQ(MaxValueDigits(Signed, 16), 5);
    EXPECT_EQ(MaxValueDigits(Hex, 32), 8);
    EXPECT_EQ(MaxValueDigits(Unsigned, 32), 10);
}

TEST(ValueText, StoredFormatCodes)
{
    EXPECT_EQ(NumberFormatOfCode(0), Hex);
    EXPECT_EQ(NumberFormatOfCode(2), Signed);
    EXPECT_EQ(NumberFormatOfCode(3), Unsigned);
    EXPECT_EQ(NumberFormatOfCode(-1), Unsigned);
}

TEST(ValueText, FormatsStoredFields)
{
    struct Case {
        std::int32_t field;
        NumberFormat format;
        int bits;
        const char* text;
    };
    const Case cases[] = {
        {255, Hex, 16, "FF"}, {0, Hex, 32, "0"}, {-1, Hex, 32, "FFFFFFFF"}, {0x0ABC, Hex, 16, "ABC"},
        {65535, Unsigned, 16, "65535"}, {-1, Unsigned, 32, "4294967295"}, {-2147483647 - 1, Unsigned, 32, "2147483648"},
        {-5, Signed, 32, "-5"}, {-2147483647 - 1, Signed, 32, "-2147483648"}, {2147483647, Signed, 32, "2147483647"},
        // A signed 16-bit value shows its low 16 bits as a signed number.
        {0xFFFF, Signed, 16, "-1"}, {0x8000, Signed, 16, "-32768"}, {0x12347FFF, Signed, 16, "32767"},
        {-32768, Signed, 16, "-32768"}, {65535, Signed, 32, "65535"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatValueText(c.field, c.format, c.bits), c.text) << c.field << ' ' << static_cast<int>(c.format);
}

TEST(ValueText, StoredPatternsAndRanges)
{
    EXPECT_EQ(ValueField(4294967295LL), -1);
    EXPECT_EQ(ValueField(-2147483648LL), -2147483647 - 1);
    EXPECT_EQ(ValueField(65535), 65535);
    EXPECT_EQ(FieldValue(-1, Unsigned), 4294967295LL);
    EXPECT_EQ(FieldValue(-1, Hex), 4294967295LL);
    EXPECT_EQ(FieldValue(-1, Signed), -1);
    for (const auto format : {Hex, Unsigned, Signed}) {
        for (const std::int64_t value : {0LL, 1LL, 65535LL, 4294967295LL, -1LL, -2147483648LL}) {
            if (ValueRange(format, 32).Contains(value)) {
                EXPECT_EQ(FieldValue(ValueField(value), format), value);
            }
        }
    }

    EXPECT_EQ(ValueRange(Signed, 16).Clamp(40000), 32767);
    EXPECT_EQ(ValueRange(Signed, 16).Clamp(-40000), -32768);
    EXPECT_EQ(ValueRange(Unsigned, 16).Clamp(4294967295LL), 65535);
    EXPECT_EQ(ValueRange(Hex, 16).Clamp(-5), 0);
    EXPECT_EQ(ValueRange(Signed, 32).Clamp(4294967295LL), 2147483647);
    EXPECT_EQ(ValueRange(Unsigned, 32).Clamp(4294967295LL), 4294967295LL);
    EXPECT_FALSE(ValueRange(Hex, 16).Contains(0x10000));
    EXPECT_EQ(ValueRange(Signed, 16).Step(32766, 1), 32767);
    EXPECT_EQ(ValueRange(Signed, 16).Step(32767, 1), Refused);
    EXPECT_EQ(ValueRange(Signed, 16).Step(-32768, -1), Refused);
    EXPECT_EQ(ValueRange(Unsigned, 32).Step(0, -1), Refused);
    EXPECT_EQ((NumberRange{1, 65535}.Step(0, 1)), Refused);
    EXPECT_EQ((NumberRange{1, 65535}.Step(1, -1)), Refused);
    EXPECT_EQ((NumberRange{1, 65535}.Step(2, -1)), 1);
    EXPECT_TRUE(ValueRange(Signed, 32).Contains(-2147483648LL));

    EXPECT_EQ(ValueBits(16, 1), 16);
    EXPECT_EQ(ValueBits(16, 2), 32);
    EXPECT_EQ(ValueBits(32, 1), 32);
    EXPECT_EQ(RegisterNumberFormat(true, true), Hex);
    EXPECT_EQ(RegisterNumberFormat(false, true), Signed);
    EXPECT_EQ(RegisterNumberFormat(false, false), Unsigned);
}
