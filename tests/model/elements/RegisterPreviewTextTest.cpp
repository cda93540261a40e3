#include "model/elements/RegisterPreviewText.h"

#include <gtest/gtest.h>

TEST(RegisterPreviewText, CountsDigitsWithPointSignAndIndent)
{
    const struct {
        int digits, decimals;
        bool isSigned, hexBcd;
        int alignment, registerCount, wordSize;
        const char* expected;
    } cases[] = {
        {5, 0, false, false, 0, 1, 16, "12345"},     {5, 2, false, false, 0, 1, 16, "123.45"},
        {3, 0, false, false, 1, 1, 16, "345"},       {4, 4, false, false, 0, 1, 16, "0.1234"},
        {3, 1, true, false, 0, 1, 16, "-12.3"},      {2, 0, false, true, 1, 1, 16, "34"},
        {10, 0, false, false, 1, 2, 16, "1234567890"}, {3, 0, false, false, 1, 1, 32, "890"},
        {10, 0, false, true, 1, 1, 32, "9012345678"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RegisterPreviewText(c.digits, c.decimals, c.isSigned, c.hexBcd, c.alignment, c.registerCount,
                                      c.wordSize),
                  c.expected)
            << c.expected;
}
