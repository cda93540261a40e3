// Alarm blocks: which bits a block reads, how they are packed from the reply,
// and which changes raise an alarm.

#include "model/AlarmBlock.h"
#include "simulator/AlarmWatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

AlarmBlock Block(int mode, int startAddress, int startBit, int alarms)
{
    AlarmBlock block;
    block.GroupMode = mode;
    block.StartAddress = startAddress;
    block.StartBit = startBit;
    block.AlarmCount = alarms;
    return block;
}

// A binary reply: three head bytes, the data, two CRC bytes (not checked here).
DeviceReply ReplyWithData(std::vector<std::uint8_t>& bytes, const std::vector<std::uint8_t>& data)
{
    bytes = {0x01, 0x01, static_cast<std::uint8_t>(data.size())};
    bytes.insert(bytes.end(), data.begin(), data.end());
    bytes.insert(bytes.end(), {0, 0});
    return {bytes, 3, 0, true};
}

TEST(AlarmWatch, ReadsByBlockKind)
{
    const struct {
        AlarmBlock block;
        AlarmRead read;
    } cases[] = {
        // Coils from 21: whole 16-coil words from 16; bytes 0 and 1 compared.
        {Block(1, 21, 0, 5), {true, 16, 16, 5, 5, 0, 2}},
        {Block(1, 32, 0, 16), {true, 32, 16, 0, 16, 0, 2}},
        {Block(1, 44, 0, 20), {true, 32, 32, 12, 20, 1, 4}},
        {Block(1, 44, 0, 21), {true, 32, 48, 12, 21, 1, 6}},
        // Bits of registers from bit 14 of register 300, 4 alarms: 2 registers.
        {Block(2, 300, 14, 4), {false, 300, 2, 14, 4, 0, 4}},
        {Block(0, 300, 0, 15), {false, 300, 1, 0, 15, 0, 2}},
        {Block(0, 300, 0, 16), {false, 300, 2, 0, 16, 0, 4}},
        // More alarms than a segment holds are not watched.
        {Block(2, 300, 15, 500), {false, 300, 3, 15, 32, 0, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.block.StartAddress);
        const AlarmRead read = PlanAlarmRead(c.block);
        EXPECT_EQ(read.coils, c.read.coils);
        EXPECT_EQ(read.address, c.read.address);
        EXPECT_EQ(read.count, c.read.count);
        EXPECT_EQ(read.firstBit, c.read.firstBit);
        EXPECT_EQ(read.alarmCount, c.read.alarmCount);
        EXPECT_EQ(read.firstCompared, c.read.firstCompared);
        EXPECT_EQ(read.endCompared, c.read.endCompared);
    }
}

TEST(AlarmWatch, CoilBlockRisesOnlyOnItsOwnBits)
{
    const AlarmRead read = PlanAlarmRead(Block(1, 21, 0, 5));
    AlarmBits last{};
    std::vector<std::uint8_t> bytes;

    // Coils 16-20 and 26-31 are on: none of them is an alarm of the block.
    auto fresh = AlarmBitsOfReply(read, ReplyWithData(bytes, {0x1F, 0xFC}));
    ASSERT_TRUE(fresh);
    EXPECT_FALSE(TakeAlarmBits(last, *fresh, read));
    EXPECT_EQ(last[0], 0x1F);

    // Coil 23 (bit 7, alarm 2) comes on.
    fresh = AlarmBitsOfReply(read, ReplyWithData(bytes, {0x9F, 0xFC}));
    EXPECT_TRUE(TakeAlarmBits(last, *fresh, read));
    EXPECT_TRUE(AlarmBitIsSet(last, read.firstBit, 2));
    EXPECT_FALSE(AlarmBitIsSet(last, read.firstBit, 3));
    // Staying on raises nothing; off and on again does.
    EXPECT_FALSE(TakeAlarmBits(last, *fresh, read));
    EXPECT_FALSE(TakeAlarmBits(last, *AlarmBitsOfReply(read, ReplyWithData(bytes, {0x1F, 0xFC})), read));
    // Coil 25 (bit 9, the block's last alarm) comes on.
    EXPECT_TRUE(TakeAlarmBits(last, *AlarmBitsOfReply(read, ReplyWithData(bytes, {0x1F, 0xFE})), read));
    EXPECT_TRUE(AlarmBitIsSet(last, read.firstBit, 4));
}

TEST(AlarmWatch, RegisterBlockSpansTwoRegisters)
{
    const AlarmRead read = PlanAlarmRead(Block(2, 300, 14, 4));
    AlarmBits last{};
    std::vector<std::uint8_t> bytes;
    // Register 300 = 0x4000 (bit 14), register 301 = 0x0002 (bit 1): alarms 0 and 3.
    const auto fresh = AlarmBitsOfReply(read, ReplyWithData(bytes, {0x40, 0x00, 0x00, 0x02}));
    ASSERT_TRUE(fresh);
    EXPECT_EQ((*fresh)[0], 0x00);
    EXPECT_EQ((*fresh)[1], 0x40);
    EXPECT_EQ((*fresh)[2], 0x02);
    EXPECT_TRUE(TakeAlarmBits(last, *fresh, read));
    for (const auto& [alarm, on] : {std::pair(0, true), {1, false}, {2, false}, {3, true}, {4, false}})
        EXPECT_EQ(AlarmBitIsSet(last, read.firstBit, alarm), on) << alarm;

    // Bit 2 of register 301 lies beyond the block: no alarm rises.
    EXPECT_FALSE(TakeAlarmBits(last, *AlarmBitsOfReply(read, ReplyWithData(bytes, {0x40, 0x00, 0x00, 0x06})), read));
    EXPECT_EQ(last[2], 0x06);
}

TEST(AlarmWatch, AsciiCoilsAreOneCharacterEach)
{
    const AlarmRead read = PlanAlarmRead(Block(1, 3, 0, 4));
    std::vector<std::uint8_t> text = {'@', '1', '1', '1', '0', '1', '0', '0', '1', '1', '*', '\r'};
    const DeviceReply reply{text, 1, 0, false};
    const auto fresh = AlarmBitsOfReply(read, reply);
    ASSERT_TRUE(fresh);
    // Only coils 3 to 6 are read: '0', '1', '0', '0'.
    EXPECT_EQ((*fresh)[0], 0x10);
    const DeviceReply cut{std::span(text).first(6), 1, 0, false};
    EXPECT_FALSE(AlarmBitsOfReply(read, cut));
}

TEST(AlarmWatch, ShortRepliesGiveNoBits)
{
    std::vector<std::uint8_t> bytes;
    const AlarmRead coils = PlanAlarmRead(Block(1, 21, 0, 5));
    DeviceReply reply = ReplyWithData(bytes, {0x9F});
    reply.bytes = reply.bytes.first(4);
    EXPECT_FALSE(AlarmBitsOfReply(coils, reply));
    const AlarmRead registers = PlanAlarmRead(Block(2, 300, 14, 4));
    reply = ReplyWithData(bytes, {0x40, 0x00, 0x00});
    reply.bytes = reply.bytes.first(6);
    EXPECT_FALSE(AlarmBitsOfReply(registers, reply));
}

} // namespace
