#include "simulator/AlarmWatch.h"

#include "model/AlarmBlock.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr int kCoilBlockMode = 1;

// The widest read: a coil block's last alarm in the third 16-coil word, or a
// register block's in the third register.
static_assert((15 + kMaxAlarmsPerBlock + 15) / 16 * 2 <= kAlarmSnapshotBytes);

bool BitOf(const AlarmBits& bits, int position)
{
    if (position < 0 || position >= 8 * kAlarmSnapshotBytes)
        return false;
    return (bits[static_cast<std::size_t>(position / 8)] >> (position % 8)) & 1;
}

void SetBit(AlarmBits& bits, int position)
{
    bits[static_cast<std::size_t>(position / 8)] |= static_cast<std::uint8_t>(1 << (position % 8));
}

// Whether the bytes from the data position up to `count` came.
bool HoldsData(const DeviceReply& reply, int count)
{
    return reply.dataPosition >= 0 && static_cast<std::size_t>(reply.dataPosition) + count <= reply.bytes.size();
}

} // namespace

AlarmRead PlanAlarmRead(const AlarmBlock& block)
{
    AlarmRead read;
    read.alarmCount = std::clamp(block.AlarmCount, 0, kMaxAlarmsPerBlock);
    if (block.GroupMode == kCoilBlockMode) {
        const int offset = block.StartAddress % 16;
        const int bits = (offset + read.alarmCount + 15) / 16 * 16;
        read.coils = true;
        read.address = block.StartAddress - offset;
        read.count = bits;
        read.firstBit = offset;
        read.firstCompared = offset / 8;
        read.endCompared = bits / 8;
    } else {
        const int startBit = std::clamp(block.StartBit, 0, 15);
        const int words = (read.alarmCount + startBit + 1 + 15) / 16;
        read.address = block.StartAddress;
        read.count = words;
        read.firstBit = startBit;
        read.firstCompared = 0;
        read.endCompared = 2 * words;
    }
    return read;
}

std::optional<AlarmBits> AlarmBitsOfReply(const AlarmRead& read, const DeviceReply& reply)
{
    // ASCII coils come one character each, binary data 8 bits a byte.
    const bool characters = read.coils && !reply.binary;
    const int needed = characters ? read.firstBit + read.alarmCount : read.endCompared;
    if (!HoldsData(reply, needed))
        return std::nullopt;
    const std::uint8_t* data = reply.bytes.data() + reply.dataPosition;
    AlarmBits bits{};
    if (characters) {
        for (int b = read.firstBit; b < needed; ++b)
            if (data[b] != '0')
                SetBit(bits, b);
        return bits;
    }
    for (int j = 0; j < needed; ++j)
        bits[static_cast<std::size_t>(j)] = data[read.coils ? j : j ^ 1];
    return bits;
}

bool TakeAlarmBits(AlarmBits& last, const AlarmBits& fresh, const AlarmRead& read)
{
    bool rose = false;
    const int firstAlarm = read.firstBit;
    const int endAlarm = read.firstBit + read.alarmCount;
    for (int i = read.firstCompared; i < read.endCompared && i < kAlarmSnapshotBytes; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const int risen = fresh[index] & ~last[index];
        for (int b = 0; b < 8; ++b) {
            const int position = 8 * i + b;
            if (((risen >> b) & 1) && position >= firstAlarm && position < endAlarm)
                rose = true;
        }
        last[index] = fresh[index];
    }
    return rose;
}

bool AlarmBitIsSet(const AlarmBits& bits, int firstBit, int alarm)
{
    return BitOf(bits, firstBit + alarm);
}
