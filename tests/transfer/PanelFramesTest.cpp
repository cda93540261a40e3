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
