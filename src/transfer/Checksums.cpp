#include "transfer/Checksums.h"

#include "base/NumberText.h"
#include "transfer/Crc16.h"

std::uint16_t ComputeCrc16(std::size_t length, const std::uint8_t* bytes)
{
    return Crc16(bytes, length);
}

std::uint8_t ComputeSum8(std::size_t length, const std::uint8_t* bytes)
{
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i + 3 < length; ++i)
        sum = static_cast<std::uint8_t>(sum + bytes[i]);
    return sum;
}

bool ReplySum8IsValid(std::size_t length, const std::uint8_t* reply)
{
    if (length < 3)
        return false;
    const int high = HexDigitValue(static_cast<char>(reply[length - 3]));
    const int low = HexDigitValue(static_cast<char>(reply[length - 2]));
    if (high < 0 || low < 0)
        return false;
    return high * 16 + low == ComputeSum8(length, reply);
}

bool ReplyCrc16IsValid(std::size_t length, const std::uint8_t* reply)
{
    if (length < 2)
        return false;
    const std::uint16_t crc = ComputeCrc16(length - 2, reply);
    return reply[length - 2] == (crc & 0xFF) && reply[length - 1] == (crc >> 8);
}
