#include "model/elements/DynTextEntry.h"

#include <gtest/gtest.h>

TEST(DynTextEntry, FirstEntryWithTheSameLowWordWins)
{
    const std::vector<DynTextEntry> bit = {{"OFF", "0"}, {"ON", "1"}, {"AGAIN", "1"}};
    EXPECT_EQ(FindEntryForValue(bit, 1), 1);
    EXPECT_EQ(FindEntryForValue(bit, 0), 0);
    EXPECT_EQ(FindEntryForValue(bit, 2), -1);

    const std::vector<DynTextEntry> words = {{"none", ""}, {"minus one", "-1"}, {"big", "70000"}};
    EXPECT_EQ(FindEntryForValue(words, 65535), 1);
    EXPECT_EQ(FindEntryForValue(words, 70000 - 65536), 2);
    // An entry without a value is never selected, not even by 0.
    EXPECT_EQ(FindEntryForValue(words, 0), -1);
}
