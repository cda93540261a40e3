// Every command the Modbus library builds goes to a real libmodbus slave; the
// reply, read at the positions the library names, must show the slave's
// tables, and writes must change them as intended.

#include "modbusslave/ModbusSlave.h"
#include "protocol/ModbusEntries.h"
#include "transfer/Crc16.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr int Station = 17;

class ModbusSlaveExchange : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < ModbusSlave::TableSize; ++i) {
            slave.Coils()[i] = static_cast<std::uint8_t>((i * 7 + i / 5) % 3 == 0);
            slave.Registers()[i] = static_cast<std::uint16_t>(i * 0x9E37 + 0x1234);
        }
    }

    // Sends a built command and returns the slave's reply, which must be a
    // normal reply of the announced length with a good CRC.
    std::vector<std::uint8_t> Send(const BuiltCommand& command)
    {
        EXPECT_EQ(command.result, 0);
        auto reply = slave.Exchange(command.bytes.data(), static_cast<int>(command.bytes.size()), command.replyLength);
        EXPECT_EQ(static_cast<int>(reply.size()), command.replyLength);
        if (reply.size() >= 4) {
            EXPECT_EQ(reply[1], command.bytes[1]) << "the slave answered with an exception";
            const std::size_t n = reply.size();
            EXPECT_EQ(Crc16(reply.data(), n - 2), reply[n - 2] | (reply[n - 1] << 8));
        }
        return reply;
    }

    static int Word(const std::vector<std::uint8_t>& reply, int position)
    {
        return reply.at(position) * 256 + reply.at(position + 1);
    }

    // The 32-bit value of the two registers at reply position `position`, assembled
    // as the simulator does for either word order.
    static std::uint32_t Value32(const std::vector<std::uint8_t>& reply, int position, bool highFront)
    {
        const std::uint32_t high = static_cast<std::uint32_t>(Word(reply, highFront ? position : position + 2));
        const std::uint32_t low = static_cast<std::uint32_t>(Word(reply, highFront ? position + 2 : position));
        return high << 16 | low;
    }

    ModbusSlave slave {Station};
};

TEST_F(ModbusSlaveExchange, CoilReadsGiveEveryCoilAtGetReadCoilPos)
{
    const struct {
        int start, count;
    } reads[] = {{0, 16}, {32, 32}, {96, 88}, {0x3F0, 16}, {5, 3}};
    for (const auto& read : reads) {
        SCOPED_TRACE(read.start);
        const auto reply = Send(BuildReadBit(Station, read.start, read.count));
        for (int address = read.start; address < read.start + read.count; ++address) {
            int bit = -1;
            const int position = ModbusEntries().GetReadCoilPos(read.start, address, &bit);
            ASSERT_LT(position, static_cast<int>(reply.size()) - 2);
            EXPECT_EQ((reply[position] >> bit) & 1, slave.Coils()[address]) << address;
        }
    }
}

TEST_F(ModbusSlaveExchange, RegisterReadsGiveEachWordAtTheDataPosition)
{
    const struct {
        int start, count;
    } reads[] = {{0, 1}, {100, 11}, {0x3FF, 1}, {200, 125}};
    for (const auto& read : reads) {
        SCOPED_TRACE(read.start);
        const BuiltCommand command = BuildReadRegister(Station, read.start, read.count);
        const auto reply = Send(command);
        for (int k = 0; k < read.count; ++k)
            EXPECT_EQ(Word(reply, command.out4 + 2 * k), slave.Registers()[read.start + k]);
    }
}

// A 32-bit value in two registers, in both word orders, read back the way
// the simulator assembles it from the reply.
TEST_F(ModbusSlaveExchange, ThirtyTwoBitValuesInBothWordOrders)
{
    const std::uint32_t value = 0xCAFE1234u;
    for (const bool highFront : {true, false}) {
        SCOPED_TRACE(highFront);
        slave.Registers()[300] = static_cast<std::uint16_t>(highFront ? value >> 16 : value & 0xFFFF);
        slave.Registers()[301] = static_cast<std::uint16_t>(highFront ? value & 0xFFFF : value >> 16);
        const BuiltCommand command = BuildReadRegister(Station, 300, 2);
        const auto reply = Send(command);
        EXPECT_EQ(Value32(reply, command.out4, highFront), value);
    }
}

// Bits inside words: the register of a word-bit item found again from its
// reply position (plus 0x80) by GetIDandAddress, and its bit read there.
TEST_F(ModbusSlaveExchange, BitsInsideWords)
{
    slave.Registers()[40] = 0x8001;
    slave.Registers()[43] = 0x0420;
    const BuiltCommand command = BuildReadRegister(Station, 40, 4);
    const auto reply = Send(command);
    const struct {
        int address, bit, expected;
    } items[] = {{40, 0, 1}, {40, 15, 1}, {40, 1, 0}, {43, 5, 1}, {43, 10, 1}, {43, 11, 0}};
    for (const auto& item : items) {
        const int replyPosition = command.out4 + 2 * (item.address - 40);
        std::uint8_t decoded[7] = {};
        int out2 = 0, out3 = 0, out4 = 0;
        ASSERT_EQ(ModbusEntries().GetIDandAddress(0, command.bytes.data(), replyPosition + 0x80, item.bit, decoded,
                      &out2, &out3, &out4),
            0);
        EXPECT_EQ(decoded[1] * 256 + decoded[2], item.address);
        EXPECT_EQ((Word(reply, replyPosition) >> item.bit) & 1, item.expected);
    }
}

TEST_F(ModbusSlaveExchange, SingleCoilWritesSwitchTheCoil)
{
    slave.Coils()[77] = 0;
    Send(BuildWriteSigleBit(Station, 77, 1));
    EXPECT_EQ(slave.Coils()[77], 1);
    Send(BuildWriteSigleBit(Station, 77, 0));
    EXPECT_EQ(slave.Coils()[77], 0);
    EXPECT_EQ(slave.Coils()[76], (76 * 7 + 76 / 5) % 3 == 0) << "a neighbour changed";
}

TEST_F(ModbusSlaveExchange, RegisterWritesOfOneAndSeveralWords)
{
    Send(BuildWriteRegister(Station, 500, {0xAB, 0xCD}));
    EXPECT_EQ(slave.Registers()[500], 0xABCD);

    std::vector<std::uint8_t> values;
    for (int i = 0; i < 20; ++i)
        values.push_back(static_cast<std::uint8_t>(i * 13 + 1));
    Send(BuildWriteRegister(Station, 600, values));
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(slave.Registers()[600 + k], values[2 * k] * 256 + values[2 * k + 1]);
    EXPECT_EQ(slave.Registers()[610], static_cast<std::uint16_t>(610 * 0x9E37 + 0x1234)) << "written past the end";
}

// A 32-bit value written in either word order (the caller's byte order) and
// read back as the simulator reads it.
TEST_F(ModbusSlaveExchange, ThirtyTwoBitWritesReadBackInTheirWordOrder)
{
    const std::uint32_t value = 0x89ABCDEFu;
    const std::uint8_t v0 = value & 0xFF, v1 = (value >> 8) & 0xFF, v2 = (value >> 16) & 0xFF, v3 = value >> 24;
    for (const bool highFront : {true, false}) {
        SCOPED_TRACE(highFront);
        Send(BuildWriteRegister(Station, 700, highFront ? std::vector<std::uint8_t> {v3, v2, v1, v0}
                                                        : std::vector<std::uint8_t> {v1, v0, v3, v2}));
        const BuiltCommand read = BuildReadRegister(Station, 700, 2);
        const auto reply = Send(read);
        EXPECT_EQ(Value32(reply, read.out4, highFront), value);
    }
}

} // namespace
