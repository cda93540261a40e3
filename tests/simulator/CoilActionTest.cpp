#include "simulator/CoilAction.h"
#include "simulator/ValueBytes.h"

#include <gtest/gtest.h>

TEST(CoilAction, WordBitChangesKeepTheOtherBits)
{
    EXPECT_EQ(BitMask(0), 0x0001);
    EXPECT_EQ(BitMask(15), 0x8000);
    struct Case {
        std::uint16_t word;
        int bit;
        int action;
        std::uint16_t written;
        std::uint16_t release;
    };
    const Case cases[] = {
        {0xA5A0, 3, CoilOn, 0xA5A8, 0xA5A8},
        {0xA5A8, 3, CoilOff, 0xA5A0, 0xA5A0},
        {0xFFFF, 15, CoilOff, 0x7FFF, 0x7FFF},
        {0xA5A8, 3, CoilToggle, 0xA5A0, 0xA5A0},
        {0xA5A0, 3, CoilToggle, 0xA5A8, 0xA5A8},
        {0x1234, 0, CoilMomentaryOn, 0x1235, 0x1234},
        {0x1235, 0, CoilMomentaryOn, 0x1235, 0x1234}, // already on: released off
        {0x8001, 15, CoilMomentaryOff, 0x0001, 0x8001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        const std::optional<WordBitChange> change = ChangeWordBit(c.word, c.bit, c.action);
        ASSERT_TRUE(change);
        EXPECT_EQ(change->written, c.written);
        EXPECT_EQ(change->release, c.release);
    }
    EXPECT_FALSE(ChangeWordBit(0, 0, 5));
}

TEST(CoilAction, StateWrittenToACoil)
{
    EXPECT_EQ(CoilState(CoilOn), true);
    EXPECT_EQ(CoilState(CoilMomentaryOn), true);
    EXPECT_EQ(CoilState(CoilOff), false);
    EXPECT_EQ(CoilState(CoilMomentaryOff), false);
    EXPECT_FALSE(CoilState(CoilToggle));
    EXPECT_FALSE(CoilState(7));
}

TEST(ValueBytes, SixteenBitsHighFirstThirtyTwoInTheDevicesWordOrder)
{
    using Bytes = std::vector<std::uint8_t>;
    EXPECT_EQ(ValueBytes(0x12345678, 16, true), (Bytes{0x56, 0x78}));
    EXPECT_EQ(ValueBytes(0x12345678, 16, false), (Bytes{0x56, 0x78}));
    EXPECT_EQ(ValueBytes(0x12345678, 32, true), (Bytes{0x12, 0x34, 0x56, 0x78}));
    EXPECT_EQ(ValueBytes(0x12345678, 32, false), (Bytes{0x56, 0x78, 0x12, 0x34}));
}
