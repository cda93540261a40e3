// Reading values out of device replies: ASCII number fields, the reply
// checks and the 16- and 32-bit words, always within the bytes that came.

#include "simulator/AsciiNumber.h"
#include "simulator/DeviceReply.h"
#include "transfer/Crc16.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> Bytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

// `payload` followed by its CRC-16, low byte first.
std::vector<std::uint8_t> WithCrc(std::vector<std::uint8_t> payload)
{
    payload.resize(payload.size() + 2);
    AppendCrc16(payload.data(), payload.size() - 2);
    return payload;
}

DeviceReply Binary(const std::vector<std::uint8_t>& bytes, int dataPosition = 0)
{
    return {bytes, dataPosition, 0, true};
}

TEST(AsciiNumber, FieldsByFormatCode)
{
    const struct {
        const char* text;
        int format;
        int value;
    } cases[] = {
        {"0123", 0x84, 123},
        {"00fF", 0x04, 255},
        {"1x", 0x02, 1},       // the letter is skipped without a shift
        {"x1", 0x02, 1},
        {" -42", 0x84, -42},   // blanks and a sign before a decimal number
        {"+7", 0x82, 7},
        {"12a4", 0x84, 12},    // decimal reading stops at the first non-digit
        {"FFFF", 0x04, 0xFFFF},
        {"1234", 0x02, 0x12},  // only the field's characters count
        {"9999", 0x80, 0},     // no characters
        {"1234", 0x00, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<std::uint8_t> text = Bytes(c.text);
        EXPECT_EQ(ParseAsciiNumber(text.data(), c.format), c.value);
    }
}

TEST(DeviceReply, ChecksOverTheBytesThatCame)
{
    const std::vector<std::uint8_t> good = WithCrc({0x01, 0x03, 0x02, 0x12, 0x34});
    EXPECT_TRUE(ReplyPassesCheck(good, true));
    std::vector<std::uint8_t> flipped = good;
    flipped[3] ^= 0x01;
    EXPECT_FALSE(ReplyPassesCheck(flipped, true));
    // A reply cut short has lost its CRC.
    EXPECT_FALSE(ReplyPassesCheck(std::span(good).first(4), true));
    EXPECT_FALSE(ReplyPassesCheck(std::span(good).first(2), true));
    EXPECT_FALSE(ReplyPassesCheck({}, true));

    // ASCII: two hexadecimal digits of the 8-bit sum before a terminator.
    std::vector<std::uint8_t> summed = Bytes("@01RD0012??\r");
    unsigned sum = 0;
    for (std::size_t i = 0; i + 3 < summed.size(); ++i)
        sum += summed[i];
    const char* hex = "0123456789ABCDEF";
    summed[summed.size() - 3] = static_cast<std::uint8_t>(hex[(sum >> 4) & 0xF]);
    summed[summed.size() - 2] = static_cast<std::uint8_t>(hex[sum & 0xF]);
    EXPECT_TRUE(ReplyPassesCheck(summed, false));
    EXPECT_FALSE(ReplyPassesCheck(std::span(summed).first(summed.size() - 1), false));
    EXPECT_FALSE(ReplyPassesCheck(Bytes("0\r"), false));
}

TEST(DeviceReply, WordsInBothWordOrders)
{
    const std::vector<std::uint8_t> bytes = {0x01, 0x03, 0x04, 0x12, 0x34, 0x56, 0x78};
    const DeviceReply reply = Binary(bytes, 3);
    EXPECT_EQ(ReplyWord(reply, 3), 0x1234);
    EXPECT_EQ(ReplyDoubleWord(reply, 3, true), 0x12345678u);
    EXPECT_EQ(ReplyDoubleWord(reply, 3, false), 0x56781234u);
    EXPECT_EQ(ReplyValue(reply, 0, 16, true), 0x1234u);
    EXPECT_EQ(ReplyValue(reply, 2, 16, true), 0x5678u);
    EXPECT_EQ(ReplyValue(reply, 0, 32, false), 0x56781234u);
}

TEST(DeviceReply, FieldsBeyondTheBytesGiveNothing)
{
    const std::vector<std::uint8_t> bytes = {0x01, 0x03, 0x04, 0x12, 0x34, 0x56};
    const DeviceReply reply = Binary(bytes, 3);
    EXPECT_EQ(ReplyWord(reply, 5), std::nullopt);
    EXPECT_EQ(ReplyWord(reply, -1), std::nullopt);
    EXPECT_EQ(ReplyDoubleWord(reply, 3, true), std::nullopt);
    EXPECT_EQ(ReplyValue(reply, 2, 16, true), std::nullopt);
    EXPECT_EQ(ReplyValue(reply, 200, 16, true), std::nullopt);

    const std::vector<std::uint8_t> text = Bytes("@00FF");
    const DeviceReply ascii{text, 1, 0x04, false};
    EXPECT_EQ(ReplyValue(ascii, 0, 16, true), 0xFFu);
    EXPECT_EQ(ReplyValue(ascii, 0, 32, true), 0xFFu);
    EXPECT_EQ(ReplyValue(ascii, 1, 16, true), std::nullopt);
}

} // namespace
