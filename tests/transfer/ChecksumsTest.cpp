#include "transfer/Checksums.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> Bytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

TEST(ChecksumsTest, Crc16MatchesThePanelFrames)
{
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::uint16_t crc;
    };
    const Case cases[] = {
        {{0x01, 0x10}, 0xEC01},
        {{0x01, 0x02}, 0xE181},
        {{0x01, 0x08}, 0xE601},
        {{}, 0xFFFF},
        {Bytes("123456789"), 0x4B37}, // the Modbus RTU check value
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComputeCrc16(c.bytes.size(), c.bytes.data()), c.crc) << c.bytes.size() << " bytes";
}

TEST(ChecksumsTest, Crc16ReplyCheckReadsTheCrcLowByteFirst)
{
    const std::vector<std::uint8_t> good{0x01, 0x10, 0x01, 0xEC};
    EXPECT_TRUE(ReplyCrc16IsValid(good.size(), good.data()));
    const std::vector<std::uint8_t> swapped{0x01, 0x10, 0xEC, 0x01};
    EXPECT_FALSE(ReplyCrc16IsValid(swapped.size(), swapped.data()));
    EXPECT_FALSE(ReplyCrc16IsValid(1, good.data()));
}

TEST(ChecksumsTest, Sum8AddsAllButTheLastThreeBytes)
{
    const auto reply = Bytes("\x02\x30\x31\xFF\xFFxx\r");
    EXPECT_EQ(ComputeSum8(reply.size(), reply.data()), (0x02 + 0x30 + 0x31 + 0xFF + 0xFF) & 0xFF);
    EXPECT_EQ(ComputeSum8(3, reply.data()), 0);
    EXPECT_EQ(ComputeSum8(0, reply.data()), 0);
}

TEST(ChecksumsTest, AsciiReplySumCheck)
{
    // ':' + 'q' = 0x3A + 0x71 = 0xAB
    struct Case {
        std::string reply;
        bool valid;
    };
    const Case cases[] = {
        {"00\r", true},      // three bytes: a sum over no bytes
        {"01\r", false},
        {":qAB\r", true},
        {":qab\r", true},    // lower-case digits
        {":qaB\r", true},
        {":qAC\r", false},   // wrong sum
        {":qAG\r", false},   // not a hexadecimal digit
        {":q A\r", false},
        {"0\r", false},      // too short for its check
        {"", false},
    };
    for (const Case& c : cases) {
        const auto bytes = Bytes(c.reply);
        EXPECT_EQ(ReplySum8IsValid(bytes.size(), bytes.data()), c.valid) << c.reply;
    }
}

} // namespace
