#include "base/NumberText.h"

#include <gtest/gtest.h>

TEST(NumberText, HexText)
{
    const std::pair<const char*, int> cases[] = {
        {"1a", 26}, {"1A", 26}, {"", 0}, {"12G", -1}, {"G12", -1}, {"7FFFFFFF", 2147483647}, {"FFFFFFFF", -1},
        {"80000000", -2147483647 - 1}, {"100000000", 0}, {"123456789ABC", 0x56789ABC}, {"-1", -1}, {" 1", -1},
        {"FFFFFFFFFFFFFFFFFFFFFFFF1", -15},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseHexText(text), value) << text;
}

TEST(NumberText, OctalText)
{
    const std::pair<const char*, int> cases[] = {
        {"17", 15}, {"0", 0}, {"", 0}, {"8", -1}, {"1A", -1}, {"777", 511},
        {"37777777777", -1}, {"20000000000", -2147483647 - 1}, {"40000000000", 0}, {"7777777777777777777777", -1},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseOctalText(text), value) << text;
}
