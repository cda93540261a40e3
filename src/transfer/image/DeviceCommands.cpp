#include "transfer/image/DeviceCommands.h"

#include "base/ByteWriter.h"

#include <algorithm>
#include <string_view>
#include <type_traits>

namespace {

int High(int address)
{
    return address / 256;
}

int Low(int address)
{
    return address % 256;
}

// ReadBit and ReadRegister take the same arguments.
static_assert(std::is_same_v<ReadBitFn, ReadRegisterFn>);

LibraryCommand Read(ReadBitFn entry, int station, int address, int count)
{
    LibraryCommand c;
    std::array<std::uint8_t, 255> aux{};
    if (entry)
        c.result = entry(station, High(address), Low(address), count, c.bytes.data(), &c.out1, &c.out2, &c.out3,
            &c.out4, aux.data());
    return c;
}

} // namespace

void LibraryCommand::AppendTo(ByteWriter& out, int length) const
{
    // A library's length never reaches past the command buffer.
    const int n = std::clamp(length, 0, static_cast<int>(bytes.size()));
    out.U8(static_cast<std::uint8_t>(n));
    out.Bytes(std::string_view(reinterpret_cast<const char*>(bytes.data()), static_cast<std::size_t>(n)));
}

LibraryCommand DeviceCommands::ReadBit(int station, int address, int bitCount) const
{
    return Read(m_table.ReadBit, station, address, bitCount);
}

LibraryCommand DeviceCommands::ReadRegister(int station, int address, int wordCount) const
{
    return Read(m_table.ReadRegister, station, address, wordCount);
}

LibraryCommand DeviceCommands::WriteSigleBit(int station, int address, int value) const
{
    LibraryCommand c;
    std::array<std::uint8_t, 255> aux{};
    if (m_table.WriteSigleBit)
        c.result = m_table.WriteSigleBit(station, High(address), Low(address), value, c.bytes.data(), &c.out1,
            &c.out2, &c.out3, aux.data());
    return c;
}

LibraryCommand DeviceCommands::WriteRegister(int station, int address, const std::uint8_t* values, int wordCount,
    int groupMode, int out4) const
{
    LibraryCommand c;
    c.out4 = out4;
    std::array<std::uint8_t, 255> aux{};
    if (m_table.WriteRegister)
        c.result = m_table.WriteRegister(station, High(address), Low(address), values, wordCount, c.bytes.data(),
            &c.out1, &c.out2, &c.out3, &c.out4, aux.data(), groupMode);
    return c;
}

int DeviceCommands::ReadCoilPosition(int readStart, int coil, int& bit) const
{
    bit = 0;
    return m_table.GetReadCoilPos ? m_table.GetReadCoilPos(readStart, coil, &bit) : 0;
}

int DeviceCommands::AlarmCoilPosition(int readStart, int coil, int& bit) const
{
    bit = 0;
    return m_table.GetALMRetAdd ? m_table.GetALMRetAdd(readStart, coil, &bit) : 0;
}

int DeviceCommands::HexCommands() const
{
    std::array<std::uint8_t, 255> aux{};
    return m_table.GetHexCommIns ? m_table.GetHexCommIns(aux.data()) : 0;
}

int DeviceCommands::CheckType() const
{
    std::array<std::uint8_t, 255> aux{};
    return m_table.GetCheckType ? m_table.GetCheckType(aux.data()) : 0;
}

FrameHeadTail DeviceCommands::HeadAndTail() const
{
    FrameHeadTail frame;
    if (!m_table.GetHeadAndTail)
        return frame;
    std::array<std::uint8_t, 255> head{}, tail{}, aux{};
    int headLength = 0;
    int tailLength = 0;
    frame.result = m_table.GetHeadAndTail(&headLength, head.data(), &tailLength, tail.data(), aux.data());
    // A length never reaches past its buffer.
    const auto bytes = [](const std::array<std::uint8_t, 255>& buffer, int length) {
        const auto n = static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(buffer.size())));
        return std::string(reinterpret_cast<const char*>(buffer.data()), n);
    };
    frame.head = bytes(head, headLength);
    frame.tail = bytes(tail, tailLength);
    return frame;
}
