#pragma once

#include "simulator/DeviceReply.h"
#include "simulator/SimulationPort.h"
#include "transfer/ProtocolFunctionTable.h"

#include <array>
#include <cstdint>
#include <span>

// One device command as the protocol library built it, with the library's
// outputs that the exchange and the reply need.
struct DeviceCommand {
    int result = -1; // the library's result: below 0 when it refused to build the command
    std::array<std::uint8_t, SimulationPort::kBufferSize> bytes{};
    int length = 0;
    int format = 0;       // reply format code (ASCII protocols)
    int dataPosition = 0; // reads: where the reply's data starts
    // The library's work buffer; its first two bytes, low byte first, are
    // the length of the device's reply.
    std::array<std::uint8_t, 255> aux{};

    bool Built() const { return result >= 0; }
    std::span<const std::uint8_t> Bytes() const;
    int ReplyLength() const { return aux[0] | aux[1] << 8; }
};

// The library's commands, addressed by a 16-bit word address (or coil
// number) split into its high and low byte.
DeviceCommand BuildReadBit(const ProtocolFunctionTable& protocol, int station, int address, int bitCount);
DeviceCommand BuildReadRegister(const ProtocolFunctionTable& protocol, int station, int address, int wordCount);
// Writes one register with the two bytes `value`, high byte first.
DeviceCommand BuildWriteRegister(const ProtocolFunctionTable& protocol, int station, int address,
    std::array<std::uint8_t, 2> value, int groupMode);
// Writes `values.size() / 2` registers from `values`, each high byte first.
DeviceCommand BuildWriteRegisters(const ProtocolFunctionTable& protocol, int station, int address,
    std::span<const std::uint8_t> values, int groupMode);
// Sets coil `address` on or off.
DeviceCommand BuildWriteSingleBit(const ProtocolFunctionTable& protocol, int station, int address, bool on);

// Whether the library's protocol carries raw bytes (asked per command).
bool IsBinaryProtocol(const ProtocolFunctionTable& protocol, const DeviceCommand& command);

// Whether `reply` is the whole reply to `command`: every byte the library
// expects came and the reply passes its protocol's check (a short reply,
// such as a Modbus exception, does not).
bool CameWhole(const ProtocolFunctionTable& protocol, const DeviceCommand& command,
    const SimulationPort::Reply& reply);

// The reply to `command` as the decoders read it.
DeviceReply ReplyTo(const ProtocolFunctionTable& protocol, const DeviceCommand& command,
    const SimulationPort::Reply& reply);
