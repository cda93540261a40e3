#pragma once

#include "transfer/ProtocolFunctionTable.h"

#include <cstdint>
#include <vector>

// Every entry point of the Modbus library, loaded from the program folder's
// Protocol/ by the editor's own loader.
const ProtocolFunctionTable& ModbusEntries();

// One command built by a builder, with its outputs.
struct BuiltCommand {
    int result = 0;
    std::vector<std::uint8_t> bytes; // out2 bytes of the command buffer
    int out1 = -1, out2 = -1, out3 = -1, out4 = -1;
    int replyLength = 0; // from aux
};

BuiltCommand BuildReadBit(int station, int address, int count);
BuiltCommand BuildReadRegister(int station, int address, int count);
BuiltCommand BuildWriteSigleBit(int station, int address, int value);
BuiltCommand BuildWriteRegister(int station, int address, const std::vector<std::uint8_t>& values);
