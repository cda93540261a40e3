#include "simulator/DeviceCommand.h"

#include <algorithm>

namespace {

int High(int address)
{
    return (address >> 8) & 0xFF;
}

int Low(int address)
{
    return address & 0xFF;
}

} // namespace

std::span<const std::uint8_t> DeviceCommand::Bytes() const
{
    return {bytes.data(), static_cast<std::size_t>(std::clamp(length, 0, SimulationPort::kBufferSize))};
}

DeviceCommand BuildReadBit(const ProtocolFunctionTable& protocol, int station, int address, int bitCount)
{
    DeviceCommand c;
    int spare = 0;
    c.result = protocol.ReadBit(station, High(address), Low(address), bitCount, c.bytes.data(), &c.format, &c.length,
        &spare, &c.dataPosition, c.aux.data());
    return c;
}

DeviceCommand BuildReadRegister(const ProtocolFunctionTable& protocol, int station, int address, int wordCount)
{
    DeviceCommand c;
    int spare = 0;
    c.result = protocol.ReadRegister(station, High(address), Low(address), wordCount, c.bytes.data(), &c.format,
        &c.length, &spare, &c.dataPosition, c.aux.data());
    return c;
}

DeviceCommand BuildWriteRegister(const ProtocolFunctionTable& protocol, int station, int address,
    std::array<std::uint8_t, 2> value, int groupMode)
{
    return BuildWriteRegisters(protocol, station, address, value, groupMode);
}

DeviceCommand BuildWriteRegisters(const ProtocolFunctionTable& protocol, int station, int address,
    std::span<const std::uint8_t> values, int groupMode)
{
    DeviceCommand c;
    int spare = 0;
    int valuePosition = 0;
    c.result = protocol.WriteRegister(station, High(address), Low(address), values.data(),
        static_cast<int>(values.size() / 2), c.bytes.data(), &c.format, &c.length, &spare, &valuePosition,
        c.aux.data(), groupMode);
    return c;
}

DeviceCommand BuildWriteSingleBit(const ProtocolFunctionTable& protocol, int station, int address, bool on)
{
    DeviceCommand c;
    int spare = 0;
    c.result = protocol.WriteSigleBit(station, High(address), Low(address), on ? 1 : 0, c.bytes.data(), &c.format,
        &c.length, &spare, c.aux.data());
    return c;
}

bool IsBinaryProtocol(const ProtocolFunctionTable& protocol, const DeviceCommand& command)
{
    // The library reads the buffer only; its entry point takes it writable.
    auto aux = command.aux;
    return protocol.GetHexCommIns(aux.data()) != 0;
}

bool CameWhole(const ProtocolFunctionTable& protocol, const DeviceCommand& command,
    const SimulationPort::Reply& reply)
{
    return reply.error == kSerialOk && reply.received == command.ReplyLength()
        && ReplyPassesCheck(reply.Received(), IsBinaryProtocol(protocol, command));
}

DeviceReply ReplyTo(const ProtocolFunctionTable& protocol, const DeviceCommand& command,
    const SimulationPort::Reply& reply)
{
    return {reply.Received(), command.dataPosition, command.format, IsBinaryProtocol(protocol, command)};
}
