#include "transfer/PanelFrames.h"

#include "transfer/Checksums.h"
#include "transfer/Crc16.h"

#include <cstring>

std::array<std::uint8_t, 6> BuildPasswordFrame(int password)
{
    std::array<std::uint8_t, 6> frame{kPageStation, kFunctionPassword, static_cast<std::uint8_t>(password & 0xFF),
        static_cast<std::uint8_t>((password >> 8) & 0xFF)};
    AppendCrc16(frame.data(), 4);
    return frame;
}

std::array<std::uint8_t, 5> BuildBlockReadFrame(std::uint8_t block)
{
    std::array<std::uint8_t, 5> frame{kPageStation, kFunctionBlockRead, block};
    AppendCrc16(frame.data(), 3);
    return frame;
}

std::uint16_t BuildPageFrame(const std::uint8_t* source, std::uint8_t* destination, std::uint8_t block)
{
    destination[0] = kPageStation;
    destination[1] = kFunctionBlockWrite;
    destination[2] = block;
    std::memcpy(destination + 3, source, kBlockSize);
    return AppendCrc16(destination, kBlockSize + 3);
}

bool ReplyHasFunction(const std::uint8_t* reply, std::uint8_t function)
{
    return reply[1] == function;
}

bool DataReplyIsValid(const std::uint8_t* reply, int length, std::uint8_t function)
{
    return length >= 4 && ReplyHasFunction(reply, function) && ReplyCrc16IsValid(static_cast<std::size_t>(length), reply);
}
