#include "model/elements/ScaledResult.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(ScaledResult, RoundsHalvesUpAndCutsTheRestTowardZero)
{
    const struct {
        double in;
        int32_t out;
    } cases[] = {{25.25, 25}, {25.75, 26}, {25.5, 26}, {-2.7, -2}, {-2.3, -2}, {-2.5, -2}, {0.0, 0},
                 {2147483647.0, 2147483647}, {-2147483648.0, INT32_MIN}};
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<int32_t>(RoundScaledResult(c.in, false)), c.out) << c.in;
}

TEST(ScaledResult, InvalidResultsGiveOnlyBit31)
{
    const double invalid[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity(), 2147483648.0, -2147483649.0, 1e300};
    for (double v : invalid) {
        EXPECT_EQ(RoundScaledResult(v, false), kInvalidScaledResult) << v;
        EXPECT_EQ(TruncateToInt32(v), INT32_MIN) << v;
    }
    EXPECT_EQ(RoundScaledResult(4294967295.0, true), 4294967295u);
    EXPECT_EQ(RoundScaledResult(4294967296.0, true), kInvalidScaledResult);
    EXPECT_EQ(TruncateToInt32(-7.9), -7);
}
