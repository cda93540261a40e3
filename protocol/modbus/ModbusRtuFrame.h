#pragma once

// Layout of Modbus RTU frames shared by the builders and the decoder.

#include "transfer/Crc16.h"

namespace modbus_rtu {

enum FunctionCode : unsigned char {
    EmptyCommand = 0x00,
    ReadCoils = 0x01,
    ReadHoldingRegisters = 0x03,
    WriteSingleCoil = 0x05,
    WriteSingleRegister = 0x06,
    WriteMultipleRegisters = 0x10,
};

// Protocol limits of one request.
constexpr int MaxReadCoils = 2000;
constexpr int MaxReadRegisters = 125;
constexpr int MaxWriteRegisters = 123;

// Reply byte where data starts: station, function code, byte count.
constexpr int ReplyDataPosition = 3;
// Every write is answered by an 8-byte echo of its head.
constexpr int WriteReplyLength = 8;
// Read and single writes are 6 bytes plus the CRC.
constexpr int ShortCommandLength = 8;
// Function 16 carries its values after station, code, address, count, byte count.
constexpr int MultipleWriteValuePosition = 7;
constexpr int SingleWriteValuePosition = 4;

} // namespace modbus_rtu
