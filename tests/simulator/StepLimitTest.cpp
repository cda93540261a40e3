#include "simulator/StepLimit.h"

#include <gtest/gtest.h>

namespace {

constexpr auto Inc = StepDirection::Increment;
constexpr auto Dec = StepDirection::Decrement;
constexpr auto Hex = NumberFormat::Hex;
constexpr auto Uns = NumberFormat::Unsigned;
constexpr auto Sgn = NumberFormat::Signed;
constexpr std::uint32_t Refused = 0xDEADBEEF;

std::uint32_t P16(int value)
{
    return static_cast<std::uint16_t>(value);
}

std::uint32_t P32(std::int64_t value)
{
    return static_cast<std::uint32_t>(value);
}

} // namespace

// Each row of the decision table with a value just inside and just outside
// its limit, and the wraps each row refuses or lets through.
TEST(StepLimit, DecisionTable)
{
    struct Case {
        const char* row;
        StepDirection direction;
        NumberFormat format;
        int width;
        std::uint32_t value;
        std::uint32_t step;
        std::uint32_t limit;
        std::uint32_t expected;
    };
    const Case cases[] = {
        // increment, HEX / unsigned, 16 bits: V + S as a 32-bit sum <= L
        {"inc u16 to the limit", Inc, Uns, 16, 65525, 10, 65535, 65535},
        {"inc u16 past the limit", Inc, Uns, 16, 65530, 10, 65535, Refused},
        {"inc hex16 under a low limit", Inc, Hex, 16, 0x10, 0x10, 0x20, 0x20},
        {"inc hex16 over a low limit", Inc, Hex, 16, 0x11, 0x10, 0x20, Refused},
        // increment, unsigned, 32 bits: N <= L and no carry out
        {"inc u32 to the limit", Inc, Uns, 32, 4294967285u, 10, 0xFFFFFFFF, 0xFFFFFFFF},
        {"inc u32 carries out", Inc, Uns, 32, 4294967290u, 10, 0xFFFFFFFF, Refused},
        {"inc u32 over the limit", Inc, Hex, 32, 100, 1, 100, Refused},
        // increment, signed 16, negative limit: 0x8000 <= N <= L
        {"inc s16 below a negative limit", Inc, Sgn, 16, P16(-10), 5, P16(-5), P16(-5)},
        {"inc s16 over a negative limit", Inc, Sgn, 16, P16(-10), 6, P16(-5), Refused},
        {"inc s16 positive with a negative limit", Inc, Sgn, 16, 3, 1, P16(-5), Refused},
        // increment, signed 16, positive limit: N <= L, or a negative N above V
        {"inc s16 to the limit", Inc, Sgn, 16, 95, 5, 100, 100},
        {"inc s16 over the limit", Inc, Sgn, 16, 96, 5, 100, Refused},
        {"inc s16 wraps to negative", Inc, Sgn, 16, 32767, 1, 100, Refused},
        {"inc s16 negative stays negative", Inc, Sgn, 16, P16(-5), 1, 100, P16(-4)},
        {"inc s16 limit uses its low 16 bits", Inc, Sgn, 16, 95, 5, 0x10064, 100},
        // increment, signed 32, negative limit: 2^31 <= N <= L
        {"inc s32 to a negative limit", Inc, Sgn, 32, P32(-10), 5, P32(-5), P32(-5)},
        {"inc s32 over a negative limit", Inc, Sgn, 32, P32(-10), 6, P32(-5), Refused},
        // increment, signed 32, positive limit: N <= L, or a negative N that did not wrap
        {"inc s32 to the limit", Inc, Sgn, 32, 99, 1, 100, 100},
        {"inc s32 wraps to negative", Inc, Sgn, 32, 0x7FFFFFFF, 1, 100, Refused},
        {"inc s32 negative stays negative", Inc, Sgn, 32, P32(-5), 1, 100, P32(-4)},
        // decrement, HEX / unsigned, 16 bits: V >= S and V - S >= L
        {"dec u16 to the limit", Dec, Uns, 16, 15, 10, 5, 5},
        {"dec u16 below the limit", Dec, Uns, 16, 14, 10, 5, Refused},
        {"dec u16 below zero", Dec, Uns, 16, 5, 10, 0, Refused},
        // decrement, unsigned 32: V >= S and N >= L
        {"dec u32 to zero", Dec, Hex, 32, 10, 10, 0, 0},
        {"dec u32 below zero", Dec, Uns, 32, 9, 10, 0, Refused},
        // decrement, signed 16, positive limit: L <= N <= 0x7FFF
        {"dec s16 to the limit", Dec, Sgn, 16, 15, 5, 10, 10},
        {"dec s16 below the limit", Dec, Sgn, 16, 14, 5, 10, Refused},
        {"dec s16 into negatives", Dec, Sgn, 16, 2, 5, 0, Refused},
        // decrement, signed 16, negative limit: N >= L, or a positive N below V
        {"dec s16 to a negative limit", Dec, Sgn, 16, P16(-5), 5, P16(-10), P16(-10)},
        {"dec s16 below a negative limit", Dec, Sgn, 16, P16(-6), 5, P16(-10), Refused},
        {"dec s16 positive to positive", Dec, Sgn, 16, 20, 5, P16(-10), 15},
        {"dec s16 wraps to positive", Dec, Sgn, 16, P16(-32768), 1, P16(-10), Refused},
        // decrement, signed 32, negative limit: N >= L, or a positive N not above V
        {"dec s32 to a negative limit", Dec, Sgn, 32, P32(-5), 5, P32(-10), P32(-10)},
        {"dec s32 positive to positive", Dec, Sgn, 32, 20, 5, P32(-10), 15},
        {"dec s32 wraps to positive", Dec, Sgn, 32, 0x80000000, 1, P32(-10), Refused},
        // decrement, signed 32, positive limit: L <= N < 2^31
        {"dec s32 to the limit", Dec, Sgn, 32, 15, 5, 10, 10},
        {"dec s32 into negatives", Dec, Sgn, 32, 2, 5, 0, Refused},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const std::optional<std::uint32_t> n = SteppedValue(c.direction, c.format, c.width, c.value, c.step, c.limit);
        EXPECT_EQ(n.value_or(Refused), c.expected);
    }
}

TEST(StepLimit, AStepWiderThanSixteenBitsIsSummedInThirtyTwo)
{
    // 1 + 0x10000 is 0x10001 as a 32-bit sum: above a limit of 0xFFFF.
    EXPECT_FALSE(SteppedValue(Inc, Uns, 16, 1, 0x10000, 0xFFFF));
    // With a 32-bit limit the sum passes and the value wraps to 16 bits.
    EXPECT_EQ(SteppedValue(Inc, Uns, 16, 1, 0x10000, 0x20000), 1u);
}
