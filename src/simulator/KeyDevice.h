#pragma once

#include "simulator/DeviceCommand.h"
#include "simulator/SimulationPort.h"

#include <cstdint>
#include <optional>
#include <span>

struct ProtocolFunctionTable;

// The device exchanges of the keypad's keys: each asks the protocol library
// for one command and exchanges it on the simulation's port, whose thread
// keeps it apart from the polling worker's exchanges. An exchange succeeds
// only when the whole reply came and passed its check; a short reply (a
// Modbus exception reply among them) is a failure.
class KeyDevice {
public:
    enum class Result {
        Done,
        NotBuilt, // the library refused to build the command
        Failed,   // the exchange failed or its reply was not whole
    };

    KeyDevice(const ProtocolFunctionTable& protocol, SimulationPort& port);

    Result WriteCoil(int station, int address, bool on);
    // Writes the registers from `address` on with `bytes` (two a register,
    // high byte first).
    Result WriteRegisters(int station, int address, std::span<const std::uint8_t> bytes, int groupMode);

    // The state of coil `address`, read with the 16 coils of its word.
    std::optional<bool> ReadCoil(int station, int address);
    // A value of `width` 16 (one register) or 32 (two registers, the high
    // one first when `highFront`); ASCII replies give their number field.
    std::optional<std::uint32_t> ReadValue(int station, int address, int width, bool highFront);

private:
    Result Exchange(const DeviceCommand& command, SimulationPort::Reply& reply);

    const ProtocolFunctionTable& m_protocol;
    SimulationPort& m_port;
};
