#include "transfer/image/PollRecords.h"

#include "base/ByteWriter.h"
#include "devices/ElementGroup.h"
#include "StringIds.h"

namespace {

LibraryCommand ReadOrStop(const DeviceCommands& commands, bool coils, int station, int address, int count,
    const BuildFailures& failures)
{
    LibraryCommand read = coils ? commands.ReadBit(station, address, count)
                               : commands.ReadRegister(station, address, count);
    if (read.result < 0)
        failures.Stop(coils ? IdsReadCoilFailed : IdsReadRegisterFailed);
    return read;
}

constexpr int kFirstAlarmStatusWord = 100;

int RoundUpTo16(int bits)
{
    return (bits + 15) / 16 * 16;
}

} // namespace

void AppendPollRecord(ByteWriter& out, const DeviceCommands& commands, const PollGroup& group,
    const BuildFailures& failures)
{
    const bool coils = group.kind == CoilBitsGroup;
    const LibraryCommand read = ReadOrStop(commands, coils, group.station, group.startAddress, group.length, failures);
    read.AppendTo(out, read.out2);
    out.U8(static_cast<std::uint8_t>(read.out1));
    out.U8(static_cast<std::uint8_t>(group.items.size()));
    // A register read's reply carries its data from out4 on.
    const int dataStart = coils ? 0 : read.out4;
    for (const PollItem& item : group.items) {
        out.U8(static_cast<std::uint8_t>(item.replyPosition + dataStart));
        out.U8(static_cast<std::uint8_t>(item.slot));
        out.U8(static_cast<std::uint8_t>(item.memoryPosition));
        out.U8(static_cast<std::uint8_t>(item.groupIndex));
    }
}

void AppendAlarmPollRecord(ByteWriter& out, const DeviceCommands& commands, const AlarmBlock& block,
    const BuildFailures& failures)
{
    if (block.GroupMode == CoilOrMultiWriteMode) {
        const int start = block.StartAddress - block.StartAddress % 16;
        const int bits = RoundUpTo16(block.StartAddress % 16 + block.AlarmCount);
        const LibraryCommand read = ReadOrStop(commands, true, block.Station, start, bits, failures);
        int bit = 0;
        const int position = commands.AlarmCoilPosition(start, block.StartAddress, bit);
        read.AppendTo(out, read.out2);
        out.U8(0);
        out.U8(1);
        out.U8(static_cast<std::uint8_t>(position));
        out.U8(static_cast<std::uint8_t>(bit));
    } else {
        const LibraryCommand read = ReadOrStop(commands, false, block.Station, block.StartAddress,
            AlarmStatusWords(block), failures);
        read.AppendTo(out, read.out2);
        out.U8(static_cast<std::uint8_t>(read.out1));
        out.U8(1);
        out.U8(static_cast<std::uint8_t>(read.out4));
        out.U8(static_cast<std::uint8_t>(block.StartBit + 16));
    }
    out.U8(static_cast<std::uint8_t>(block.AlarmCount));
    out.U8(static_cast<std::uint8_t>(block.GroupIndex));
}

int AlarmStatusWords(const AlarmBlock& block)
{
    const int firstBit = block.GroupMode == CoilOrMultiWriteMode ? block.StartAddress % 16 : block.StartBit;
    return (firstBit + block.AlarmCount) / 16 + 1;
}

std::vector<int> AlarmStatusStartWords(const std::vector<AlarmBlock>& blocks)
{
    std::vector<int> words;
    int word = kFirstAlarmStatusWord;
    for (const AlarmBlock& block : blocks) {
        words.push_back(word);
        word += AlarmStatusWords(block);
    }
    return words;
}
