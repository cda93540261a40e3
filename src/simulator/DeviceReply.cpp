#include "simulator/DeviceReply.h"

#include "simulator/AsciiNumber.h"
#include "transfer/Checksums.h"

namespace {

// Whether `count` bytes from `position` came.
bool Holds(const DeviceReply& reply, int position, int count)
{
    return position >= 0 && count >= 0 && static_cast<std::size_t>(position) + static_cast<std::size_t>(count)
        <= reply.bytes.size();
}

} // namespace

bool ReplyPassesCheck(std::span<const std::uint8_t> bytes, bool binary)
{
    if (binary)
        return bytes.size() > 2 && ReplyCrc16IsValid(bytes.size(), bytes.data());
    return bytes.size() > 3 && ReplySum8IsValid(bytes.size(), bytes.data());
}

std::optional<int> ReplyWord(const DeviceReply& reply, int position)
{
    if (!Holds(reply, position, 2))
        return std::nullopt;
    const auto p = static_cast<std::size_t>(position);
    return reply.bytes[p] * 256 + reply.bytes[p + 1];
}

std::optional<std::uint32_t> ReplyDoubleWord(const DeviceReply& reply, int position, bool highFront)
{
    const std::optional<int> first = ReplyWord(reply, position);
    const std::optional<int> second = ReplyWord(reply, position + 2);
    if (!first || !second)
        return std::nullopt;
    const auto high = static_cast<std::uint32_t>(highFront ? *first : *second);
    const auto low = static_cast<std::uint32_t>(highFront ? *second : *first);
    return high << 16 | low;
}

std::optional<int> ReplyAsciiField(const DeviceReply& reply, int position)
{
    if (!Holds(reply, position, AsciiFieldLength(reply.format)))
        return std::nullopt;
    return ParseAsciiNumber(reply.bytes.data() + position, reply.format);
}

std::optional<std::uint32_t> ReplyValue(const DeviceReply& reply, int offset, int width, bool highFront)
{
    const int position = reply.dataPosition + offset;
    if (!reply.binary) {
        const std::optional<int> field = ReplyAsciiField(reply, position);
        return field ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(*field)) : std::nullopt;
    }
    if (width == 32)
        return ReplyDoubleWord(reply, position, highFront);
    const std::optional<int> word = ReplyWord(reply, position);
    return word ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(*word)) : std::nullopt;
}
