#include "transfer/Checksums.h"
#include "transfer/PanelFrames.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

template <std::size_t N>
bool EndsInItsCrc(const std::array<std::uint8_t, N>& frame)
{
    return ReplyCrc16IsValid(N, frame.data());
}

// Every frame the program sends to the panel, as bytes written out by hand
// (not from the program's constants, which the emulator shares), with the
// reply length the exchange expects and the function code that accepts it.
TEST(PanelFramesTest, FrameTable)
{
    const auto bytes = [](auto frame) { return std::vector<std::uint8_t>(frame.begin(), frame.end()); };
    std::array<std::uint8_t, kBlockSize> zeros{};
    std::array<std::uint8_t, kBlockFrameLength> blockWrite{};
    BuildPageFrame(zeros.data(), blockWrite.data(), 0x60);
    std::vector<std::uint8_t> blockWriteLiteral{0x01, 0x05, 0x60};
    blockWriteLiteral.resize(3 + 256);
    blockWriteLiteral.insert(blockWriteLiteral.end(), {0xB3, 0x84});

    const struct {
        const char* name;
        std::vector<std::uint8_t> sent, literal;
        int replyLength, literalReplyLength;
        std::uint8_t accepted, literalAccepted;
    } frames[] = {
        {"begin", bytes(kBeginFrame), {0x01, 0x02, 0x81, 0xE1, 0xE1, 0x81, 0x02, 0x01}, kBeginReplyLength, 4,
            kFunctionBegin, 0x02},
        {"probe", bytes(kProbeFrame), {0x01, 0x02, 0x81, 0xE1}, kProbeReplyLength, 4, kFunctionBegin, 0x02},
        {"end", bytes(kEndFrame), {0x01, 0x10, 0x01, 0xEC}, kEndReplyLength, 4, kFunctionEnd, 0x10},
        {"version", bytes(kVersionFrame), {0x01, 0x08, 0x01, 0xE6}, kVersionReplyLength, 5, kFunctionVersion, 0x08},
        {"lock query", bytes(kLockQueryFrame), {0x01, 0x09, 0x0C, 0x26, 0x26, 0x0C, 0x09, 0x01},
            kLockQueryReplyLength, 8, kFunctionLockQuery, 0x09},
        {"password 1234", bytes(BuildPasswordFrame(1234)), {0x01, 0x0A, 0xD2, 0x04, 0x7C, 0xB9},
            kPasswordReplyLength, 6, kFunctionBegin, 0x02},
        {"password 9999", bytes(BuildPasswordFrame(9999)), {0x01, 0x0A, 0x0F, 0x27, 0x64, 0x30},
            kPasswordReplyLength, 6, kFunctionBegin, 0x02},
        {"block write 0x60", bytes(blockWrite), blockWriteLiteral, kBlockWriteReplyLength, 5, kFunctionBlockWrite,
            0x05},
        {"block read 0xF0", bytes(BuildBlockReadFrame(0xF0)), {0x01, 0x07, 0xF0, 0x22, 0x74}, kBlockReadReplyLength,
            261, kFunctionBlockRead, 0x07},
    };
    for (const auto& f : frames) {
        EXPECT_EQ(f.sent, f.literal) << f.name;
        EXPECT_EQ(f.replyLength, f.literalReplyLength) << f.name;
        EXPECT_EQ(f.accepted, f.literalAccepted) << f.name;
    }
}

TEST(PanelFramesTest, FixedFramesAreTheBytesThePanelExpects)
{
    EXPECT_TRUE(EndsInItsCrc(kProbeFrame));
    EXPECT_TRUE(EndsInItsCrc(kEndFrame));
    EXPECT_TRUE(EndsInItsCrc(kVersionFrame));
    // The begin frame is the probe frame followed by its own bytes reversed.
    EXPECT_TRUE(std::equal(kProbeFrame.begin(), kProbeFrame.end(), kBeginFrame.begin()));
    EXPECT_TRUE(std::equal(kProbeFrame.rbegin(), kProbeFrame.rend(), kBeginFrame.begin() + 4));
    // The lock query is not CRC-terminated: the panel wants 0C 26.
    const std::array<std::uint8_t, 4> lockHead{kLockQueryFrame[0], kLockQueryFrame[1], kLockQueryFrame[2],
        kLockQueryFrame[3]};
    EXPECT_FALSE(EndsInItsCrc(lockHead));
    EXPECT_EQ(kLockQueryFrame[2], 0x0C);
}

TEST(PanelFramesTest, PasswordAndBlockReadFrames)
{
    const auto password = BuildPasswordFrame(1234); // 0x04D2
    EXPECT_EQ(password[0], 0x01);
    EXPECT_EQ(password[1], 0x0A);
    EXPECT_EQ(password[2], 0xD2);
    EXPECT_EQ(password[3], 0x04);
    EXPECT_TRUE(EndsInItsCrc(password));

    const auto read = BuildBlockReadFrame(0xF3);
    EXPECT_EQ(read[1], 0x07);
    EXPECT_EQ(read[2], 0xF3);
    EXPECT_TRUE(EndsInItsCrc(read));
}

TEST(PanelFramesTest, PageFrameCarriesStationBlockDataAndCrc)
{
    std::vector<std::uint8_t> data(kBlockSize);
    std::iota(data.begin(), data.end(), 0);
    std::array<std::uint8_t, kBlockFrameLength> frame{};
    const std::uint16_t crc = BuildPageFrame(data.data(), frame.data(), 0x61);

    EXPECT_EQ(frame[0], kPageStation);
    EXPECT_EQ(frame[1], 0x05);
    EXPECT_EQ(frame[2], 0x61);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), frame.begin() + 3));
    EXPECT_EQ(crc, ComputeCrc16(259, frame.data()));
    EXPECT_EQ(frame[259], crc & 0xFF);
    EXPECT_EQ(frame[260], crc >> 8);
}

TEST(PanelFramesTest, DataRepliesNeedTheirCodeAndCrc)
{
    std::array<std::uint8_t, 5> version{0x01, 0x08, 0x23};
    const std::uint16_t crc = ComputeCrc16(3, version.data());
    version[3] = crc & 0xFF;
    version[4] = crc >> 8;
    EXPECT_TRUE(DataReplyIsValid(version.data(), 5, kFunctionVersion));
    EXPECT_FALSE(DataReplyIsValid(version.data(), 5, kFunctionBlockRead)); // other code
    EXPECT_FALSE(DataReplyIsValid(version.data(), 4, kFunctionVersion));   // cut short

    auto damaged = version;
    damaged[2] = 0x24;
    EXPECT_FALSE(DataReplyIsValid(damaged.data(), 5, kFunctionVersion));
}

} // namespace
