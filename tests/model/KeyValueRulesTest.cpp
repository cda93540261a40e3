#include "model/KeyValueRules.h"

#include <gtest/gtest.h>

// The rules a function key follows by default; global buttons keep the
// 16-bit pattern instead (tests/settings/GlobalButtonRulesTest.cpp).
TEST(KeyValueRules, DefaultRulesClampAtSixteenBits)
{
    KeyValueFields negative{-5, -2, 9};
    ConvertKeyValues(negative, NumberFormat::Signed, NumberFormat::Hex, 16, false);
    EXPECT_EQ(negative.value, 0);
    EXPECT_EQ(negative.step, 1);
    EXPECT_EQ(negative.limit, 0);

    KeyValueFields hex{0xFFFF, 0x8000, 0};
    ConvertKeyValues(hex, NumberFormat::Hex, NumberFormat::Signed, 16, true);
    EXPECT_EQ(hex.value, 32767);
    EXPECT_EQ(hex.step, 32767);
    EXPECT_EQ(hex.limit, 32767);

    KeyValueFields kept{-5, 3, 9};
    ConvertKeyValues(kept, NumberFormat::Signed, NumberFormat::Hex, 16, false, FormatChangeRules{true});
    EXPECT_EQ(kept.value, 0xFFFB);

    KeyValueFields same{-5, 3, 9};
    ConvertKeyValues(same, NumberFormat::Signed, NumberFormat::Signed, 16, false);
    EXPECT_EQ(same.limit, 9); // no change of format, no reset
}

TEST(KeyValueRules, StepsAreNumbersAboveZero)
{
    for (const char* refused : {"", "0", "00", "000", "-", "-1", "-0", "-3"})
        EXPECT_EQ(ParseStepText(refused, NumberFormat::Signed, 16), std::nullopt) << refused;
    EXPECT_EQ(ParseStepText("00", NumberFormat::Hex, 16), std::nullopt);
    EXPECT_EQ(ParseStepText("10000", NumberFormat::Hex, 16), std::nullopt);
    EXPECT_EQ(ParseStepText("01", NumberFormat::Unsigned, 16), 1);
    EXPECT_EQ(ParseStepText("ff", NumberFormat::Hex, 16), 255);
    EXPECT_EQ(ParseStepText("0A", NumberFormat::Hex, 16), 10);
    EXPECT_EQ(StepRange(NumberFormat::Unsigned, 16).min, 1);
    EXPECT_EQ(StepRange(NumberFormat::Unsigned, 16).Step(1, -1), std::nullopt);
    EXPECT_EQ(StepRange(NumberFormat::Unsigned, 16).Step(2, -1), 1);
    EXPECT_EQ(DefaultKeyLimit(true, NumberFormat::Hex, 32), 0xFFFFFFFFLL);
    EXPECT_EQ(DefaultKeyLimit(false, NumberFormat::Signed, 16), -32768);
}

TEST(KeyValueRules, StoredFormatCodesOtherThanHexAndSignedAreUnsigned)
{
    EXPECT_EQ(KeyNumberFormat(0), NumberFormat::Hex);
    EXPECT_EQ(KeyNumberFormat(2), NumberFormat::Signed);
    for (int code : {1, 3, 255})
        EXPECT_EQ(KeyNumberFormat(code), NumberFormat::Unsigned) << code;
}
