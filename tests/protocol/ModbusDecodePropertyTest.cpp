// GetIDandAddress inverts every builder: the project rebuild relies on it to
// find each address again from the commands a panel image holds.

#include "protocol/ModbusEntries.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct Decoded {
    int result = 0;
    int station = 0, address = 0;
    std::uint8_t value[4] = {};
    int count = 0, dataPosition = 0, length = 0;
};

Decoded Decode(int kind, const std::vector<std::uint8_t>& command, int replyPosition = 0, int bit = 0)
{
    std::vector<std::uint8_t> buffer(command);
    buffer.resize(255);
    std::uint8_t out[7] = {};
    Decoded d;
    d.result = ModbusEntries().GetIDandAddress(kind, buffer.data(), replyPosition, bit, out, &d.count,
        &d.dataPosition, &d.length);
    d.station = out[0];
    d.address = out[1] * 256 + out[2];
    std::copy(out + 3, out + 7, d.value);
    return d;
}

class DecodeProperty : public ::testing::Test {
protected:
    int Random(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

    std::mt19937 rng {20240611};
};

TEST_F(DecodeProperty, ReadsGiveBackStationStartCountAndEachItem)
{
    for (int round = 0; round < 500; ++round) {
        const int station = Random(0, 255);
        const int words = Random(1, 125);
        const int start = Random(0, 0x10000 - words);
        const BuiltCommand read = BuildReadRegister(station, start, words);
        ASSERT_EQ(read.result, 0);
        const Decoded whole = Decode(0, read.bytes);
        ASSERT_EQ(whole.result, 0);
        EXPECT_EQ(whole.station, station);
        EXPECT_EQ(whole.address, start);
        EXPECT_EQ(whole.count, words);
        EXPECT_EQ(whole.dataPosition, read.out4) << "the rebuild's reply positions rest on this";
        EXPECT_EQ(whole.length, read.out2);

        // A word item: the rebuild's formula over the stored reply position.
        const int item = start + Random(0, words - 1);
        const int replyPosition = 2 * (item - start) + read.out4;
        EXPECT_EQ(whole.address + (replyPosition - whole.dataPosition) / 2, item);
        // A word-bit item: the reply position marked with 0x80.
        const Decoded bitItem = Decode(0, read.bytes, replyPosition + 0x80, Random(0, 15));
        ASSERT_EQ(bitItem.result, 0);
        EXPECT_EQ(bitItem.address, item);
        EXPECT_EQ(bitItem.station, station);
    }
}

TEST_F(DecodeProperty, CoilReadsGiveBackEachCoilFromGetReadCoilPos)
{
    for (int round = 0; round < 500; ++round) {
        const int station = Random(0, 255);
        const int bits = 16 * Random(1, 125);
        const int start = 16 * Random(0, (0x10000 - bits) / 16);
        const BuiltCommand read = BuildReadBit(station, start, bits);
        ASSERT_EQ(read.result, 0);
        const int coil = start + Random(0, bits - 1);
        int bit = -1;
        const int position = ModbusEntries().GetReadCoilPos(start, coil, &bit);
        ASSERT_GE(bit, 0);
        ASSERT_LE(bit, 7);
        const Decoded d = Decode(0, read.bytes, position, bit);
        ASSERT_EQ(d.result, 0);
        EXPECT_EQ(d.station, station);
        EXPECT_EQ(d.address, coil);
        EXPECT_EQ(d.count, bits);
        // The alarm records take the same position from GetALMRetAdd.
        int alarmBit = -1;
        EXPECT_EQ(ModbusEntries().GetALMRetAdd(start, coil, &alarmBit), position);
        EXPECT_EQ(alarmBit, bit);
    }
}

TEST_F(DecodeProperty, WritesGiveBackStationAddressAndValue)
{
    for (int round = 0; round < 500; ++round) {
        const int station = Random(0, 255);
        const int address = Random(0, 0xFFFF);

        const int state = Random(0, 1);
        const BuiltCommand coil = BuildWriteSigleBit(station, address, state);
        ASSERT_EQ(coil.result, 0);
        for (const int kind : {1, 3}) {
            const Decoded d = Decode(kind, coil.bytes);
            ASSERT_EQ(d.result, 0);
            EXPECT_EQ(d.station, station);
            EXPECT_EQ(d.address, address);
            EXPECT_EQ(d.value[0], state) << "a function key takes ON from value byte 3";
        }

        const int words = Random(1, 4);
        if (address + words - 1 > 0xFFFF)
            continue;
        std::vector<std::uint8_t> values(2 * words);
        for (auto& v : values)
            v = static_cast<std::uint8_t>(Random(0, 255));
        const BuiltCommand write = BuildWriteRegister(station, address, values);
        ASSERT_EQ(write.result, 0);
        const Decoded d = Decode(Random(0, 1), write.bytes);
        ASSERT_EQ(d.result, 0);
        EXPECT_EQ(d.station, station);
        EXPECT_EQ(d.address, address);
        EXPECT_EQ(d.count, words);
        EXPECT_EQ(d.length, write.out2);
        for (int i = 0; i < std::min(4, 2 * words); ++i)
            EXPECT_EQ(d.value[i], values[i]);
    }
}

TEST(ModbusDecode, AnEmptyCommandDecodesToStationAndAddressZero)
{
    const Decoded d = Decode(0, std::vector<std::uint8_t>(255, 0));
    EXPECT_EQ(d.result, 0);
    EXPECT_EQ(d.station, 0);
    EXPECT_EQ(d.address, 0);
}

TEST(ModbusDecode, RefusesWhatNoBuilderMakes)
{
    const BuiltCommand read = BuildReadRegister(1, 100, 4);
    const BuiltCommand coils = BuildReadBit(1, 96, 16);
    const struct {
        const char* what;
        std::vector<std::uint8_t> command;
        int replyPosition, bit;
    } cases[] = {
        {"unknown function code", {1, 0x2B, 0, 0, 0, 1}, 0, 0},
        {"register past the read", read.bytes, 3 + 2 * 4, 0},
        {"position inside the reply head", read.bytes, 2, 0},
        {"coil past the read", coils.bytes, 3 + 2, 0},
        {"bit number beyond a byte", coils.bytes, 3, 8},
    };
    for (const auto& c : cases)
        EXPECT_LT(Decode(0, c.command, c.replyPosition, c.bit).result, 0) << c.what;
}

TEST(ModbusBuilders, RefuseCommandsModbusCannotCarry)
{
    const struct {
        const char* what;
        BuiltCommand command;
    } cases[] = {
        {"station above 255", BuildReadRegister(256, 0, 1)},
        {"no registers", BuildReadRegister(1, 0, 0)},
        {"126 registers", BuildReadRegister(1, 0, 126)},
        {"2001 coils", BuildReadBit(1, 0, 2001)},
        {"read past address 0xFFFF", BuildReadRegister(1, 0xFFFF, 2)},
        {"coil state 2", BuildWriteSigleBit(1, 0, 2)},
        {"124 written registers", BuildWriteRegister(1, 0, std::vector<std::uint8_t>(248, 0))},
        {"write past address 0xFFFF", BuildWriteRegister(1, 0xFFFF, {0, 1, 0, 2})},
    };
    for (const auto& c : cases)
        EXPECT_LT(c.command.result, 0) << c.what;
}

TEST(ModbusBuilders, OutputsTheCallersRelyOn)
{
    const BuiltCommand read = BuildReadRegister(1, 0, 10);
    EXPECT_EQ(read.out2, 8);
    EXPECT_EQ(read.out3, 8);
    EXPECT_EQ(read.out4, 3);
    EXPECT_EQ(read.replyLength, 25);
    EXPECT_EQ(BuildReadBit(1, 0, 17).replyLength, 5 + 3);

    // A register write's out4 ends the command's head: what precedes the values.
    const BuiltCommand single = BuildWriteRegister(1, 0x1234, {0xAB, 0xCD});
    EXPECT_EQ(single.bytes, (std::vector<std::uint8_t> {1, 6, 0x12, 0x34, 0xAB, 0xCD, single.bytes[6], single.bytes[7]}));
    EXPECT_EQ(single.out4, 4);
    const BuiltCommand multiple = BuildWriteRegister(1, 0x1234, {1, 2, 3, 4});
    EXPECT_EQ(multiple.out2, 13);
    EXPECT_EQ(multiple.out4, 7);
    EXPECT_EQ(multiple.bytes[multiple.out4], 1);
    EXPECT_EQ(multiple.replyLength, 8);

    // A lost element's address -1 goes out as FF FF.
    std::uint8_t command[255] = {};
    int out[4] = {};
    std::uint8_t aux[255] = {};
    ASSERT_EQ(ModbusEntries().ReadRegister(1, -1, -1, 1, command, &out[0], &out[1], &out[2],
                  &out[3], aux),
        0);
    EXPECT_EQ(command[2], 0xFF);
    EXPECT_EQ(command[3], 0xFF);

    int head = -1, tail = -1;
    EXPECT_NE(ModbusEntries().GetHexCommIns(aux), 0);
    ModbusEntries().GetHeadAndTail(&head, nullptr, &tail, nullptr, aux);
    EXPECT_EQ(head, 0);
    EXPECT_EQ(tail, 0);
}

} // namespace
