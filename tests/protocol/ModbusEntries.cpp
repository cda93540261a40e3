#include "protocol/ModbusEntries.h"

#include "transfer/ProtocolLibrary.h"

#include <stdexcept>

const ProtocolFunctionTable& ModbusEntries()
{
    static const ProtocolFunctionTable table = [] {
        ProtocolFunctionTable loaded;
        if (!LoadProtocolLibrary("ModBus Slave.dll", ProtocolUse::Write, loaded)
            || !LoadProtocolLibrary("ModBus Slave.dll", ProtocolUse::Read, loaded))
            throw std::runtime_error("the Modbus protocol library did not load");
        return loaded;
    }();
    return table;
}

namespace {

// A command buffer and aux buffer as the callers give them: zeroed, 255 bytes.
struct Buffers {
    std::uint8_t command[255] = {};
    std::uint8_t aux[255] = {};
};

BuiltCommand Finish(int result, const Buffers& buffers, BuiltCommand built)
{
    built.result = result;
    if (result == 0) {
        built.bytes.assign(buffers.command, buffers.command + built.out2);
        built.replyLength = buffers.aux[0] | (buffers.aux[1] << 8);
    }
    return built;
}

} // namespace

BuiltCommand BuildReadBit(int station, int address, int count)
{
    Buffers b;
    BuiltCommand c;
    const int result = ModbusEntries().ReadBit(station, address >> 8, address & 0xFF, count, b.command, &c.out1,
        &c.out2, &c.out3, &c.out4, b.aux);
    return Finish(result, b, c);
}

BuiltCommand BuildReadRegister(int station, int address, int count)
{
    Buffers b;
    BuiltCommand c;
    const int result = ModbusEntries().ReadRegister(station, address >> 8, address & 0xFF, count, b.command,
        &c.out1, &c.out2, &c.out3, &c.out4, b.aux);
    return Finish(result, b, c);
}

BuiltCommand BuildWriteSigleBit(int station, int address, int value)
{
    Buffers b;
    BuiltCommand c;
    const int result = ModbusEntries().WriteSigleBit(station, address >> 8, address & 0xFF, value, b.command,
        &c.out1, &c.out2, &c.out3, b.aux);
    return Finish(result, b, c);
}

BuiltCommand BuildWriteRegister(int station, int address, const std::vector<std::uint8_t>& values)
{
    Buffers b;
    BuiltCommand c;
    const int result = ModbusEntries().WriteRegister(station, address >> 8, address & 0xFF, values.data(),
        static_cast<int>(values.size() / 2), b.command, &c.out1, &c.out2, &c.out3, &c.out4, b.aux, 0);
    return Finish(result, b, c);
}
