#include "transfer/PanelFrames.h"

#include "transfer/Checksums.h"

#include <cstring>

namespace {

// Writes the CRC of the first `length` bytes of `frame` behind them.
std::uint16_t AppendCrc(std::uint8_t* frame, std::size_t length)
{
    const std::uint16_t crc = ComputeCrc16(length, frame);
    frame[length] = static_cast<std::uint8_t>(crc & 0xFF);
    frame[length + 1] = static_cast<std::uint8_t>(crc >> 8);
    return crc;
}

} // namespace

std::array<std::uint8_t, 6> BuildPasswordFrame(int password)
{
    std::array<std::uint8_t, 6> frame{kPageStation, kFunctionPassword, static_cast<std::uint8_t>(password & 0xFF),
        static_cast<std::uint8_t>((password >> 8) & 0xFF)};
    AppendCrc(frame.data(), 4);
    return frame;
}

std::array<std::uint8_t, 5> BuildBlockReadFrame(std::uint8_t block)
{
    std::array<std::uint8_t, 5> frame{kPageStation, kFunctionBlockRead, block};
    AppendCrc(frame.data(), 3);
    return frame;
}

std::uint16_t BuildPageFrame(const std::uint8_t* source, std::uint8_t* destination, std::uint8_t block)
{
    destination[0] = kPageStation;
    destination[1] = kFunctionBlockWrite;
    destination[2] = block;
    std::memcpy(destination + 3, source, kBlockSize);
    return AppendCrc(destination, kBlockSize + 3);
}

bool ReplyHasFunction(const std::uint8_t* reply, std::uint8_t function)
{
    return reply[1] == function;
}

bool DataReplyIsValid(const std::uint8_t* reply, int length, std::uint8_t function)
{
    return length >= 4 && ReplyHasFunction(reply, function) && ReplyCrc16IsValid(static_cast<std::size_t>(length), reply);
}
