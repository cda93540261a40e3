#include "simulator/KeyDevice.h"

#include "transfer/ProtocolFunctionTable.h"

namespace {

constexpr int kCoilsPerWord = 16;

} // namespace

KeyDevice::KeyDevice(const ProtocolFunctionTable& protocol, SimulationPort& port)
    : m_protocol(protocol)
    , m_port(port)
{
}

KeyDevice::Result KeyDevice::Exchange(const DeviceCommand& command, SimulationPort::Reply& reply)
{
    if (!command.Built())
        return Result::NotBuilt;
    reply = m_port.Exchange(command.Bytes(), command.ReplyLength());
    return CameWhole(m_protocol, command, reply) ? Result::Done : Result::Failed;
}

KeyDevice::Result KeyDevice::WriteCoil(int station, int address, bool on)
{
    SimulationPort::Reply reply;
    return Exchange(BuildWriteSingleBit(m_protocol, station, address, on), reply);
}

KeyDevice::Result KeyDevice::WriteRegisters(int station, int address, std::span<const std::uint8_t> bytes,
    int groupMode)
{
    SimulationPort::Reply reply;
    return Exchange(BuildWriteRegisters(m_protocol, station, address, bytes, groupMode), reply);
}

std::optional<bool> KeyDevice::ReadCoil(int station, int address)
{
    const int first = address - address % kCoilsPerWord;
    const DeviceCommand read = BuildReadBit(m_protocol, station, first, kCoilsPerWord);
    SimulationPort::Reply reply;
    if (Exchange(read, reply) != Result::Done)
        return std::nullopt;
    const DeviceReply decoded = ReplyTo(m_protocol, read, reply);
    if (!decoded.binary) {
        const std::optional<int> field = ReplyAsciiField(decoded, decoded.dataPosition);
        return field ? std::optional(*field != 0) : std::nullopt;
    }
    int bit = 0;
    const int position = m_protocol.GetReadCoilPos(first, address, &bit);
    if (position < 0 || position >= static_cast<int>(decoded.bytes.size()))
        return std::nullopt;
    return ((decoded.bytes[static_cast<std::size_t>(position)] >> (bit & 7)) & 1) != 0;
}

std::optional<std::uint32_t> KeyDevice::ReadValue(int station, int address, int width, bool highFront)
{
    const DeviceCommand read = BuildReadRegister(m_protocol, station, address, width / 16);
    SimulationPort::Reply reply;
    if (Exchange(read, reply) != Result::Done)
        return std::nullopt;
    return ReplyValue(ReplyTo(m_protocol, read, reply), 0, width, highFront);
}
