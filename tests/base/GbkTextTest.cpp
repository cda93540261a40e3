#include "base/GbkText.h"

#include <gtest/gtest.h>

// The pair decoder is kept between calls: a pair that is no GBK character
// must not spoil the pairs after it, nor must a text with invalid bytes.
TEST(GbkText, PairsDecodeAfterPairsAndTextsThatAreNotGbk)
{
    const char32_t ah = U'\u554A'; // 啊, GBK B0 A1
    EXPECT_EQ(UnicodeFromGbkPair(0xB0, 0xA1), ah);
    EXPECT_EQ(UnicodeFromGbkPair(0xFF, 0xFF), 0u);
    EXPECT_EQ(UnicodeFromGbkPair(0xB0, 0xA1), ah);
    QStringFromGbk("\xFF\xFF");
    EXPECT_EQ(UnicodeFromGbkPair(0xB0, 0xA1), ah);
    EXPECT_EQ(UnicodeFromGbkPair('A', 'B'), 0u);
    EXPECT_EQ(QStringFromGbk("\xB0\xA1" "A"), QString::fromUtf8("啊A"));
    // A lead byte left at the end of one text does not join the next.
    QStringFromGbk("\xB0");
    EXPECT_EQ(QStringFromGbk("AB"), QString("AB"));
}
