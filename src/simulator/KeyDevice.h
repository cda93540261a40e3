#pragma once

#include "simulator/DeviceCommand.h"
#include "simulator/SimulationPort.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

class SimulationHost;
struct ProtocolFunctionTable;

// The device exchanges of the keypad's keys, made without the
// user-interface thread ever waiting for the device. Each asks the protocol
// library for one command, queues its exchange on the simulation's port
// (the worker makes it between two exchanges of its pass) and hands the
// outcome to its continuation, `then`, back on the user-interface thread. A
// command the library refuses goes to `then` at once, without an exchange.
//
// An exchange succeeds only when the whole reply came and passed its check;
// a short reply (a Modbus exception reply among them) is a failure.
class KeyDevice {
public:
    enum class Result {
        Done,
        NotBuilt, // the library refused to build the command
        Failed,   // the exchange failed or its reply was not whole
    };
    template <typename Outcome> using Then = std::function<void(Outcome)>;

    KeyDevice(const ProtocolFunctionTable& protocol, SimulationPort& port, SimulationHost& host);

    void WriteCoil(int station, int address, bool on, Then<Result> then = {});
    // Writes the registers from `address` on with `bytes` (two a register,
    // high byte first).
    void WriteRegisters(int station, int address, std::span<const std::uint8_t> bytes, int groupMode,
        Then<Result> then = {});

    // The state of coil `address`, read with the 16 coils of its word.
    void ReadCoil(int station, int address, Then<std::optional<bool>> then);
    // A value of `width` 16 (one register) or 32 (two registers, the high
    // one first when `highFront`); ASCII replies give their number field.
    void ReadValue(int station, int address, int width, bool highFront, Then<std::optional<std::uint32_t>> then);

    // Some exchange has been queued whose outcome has not been handed on.
    bool UnderWay() const { return m_underWay > 0; }
    // Runs on the user-interface thread after each continuation that leaves
    // no exchange under way.
    void SetIdleHandler(std::function<void()> idle) { m_idle = std::move(idle); }

private:
    using Answered = std::function<void(Result, const DeviceCommand&, const SimulationPort::Reply&)>;
    void Exchange(const DeviceCommand& command, Answered answered);
    // Hands a write's result alone to `then`, when there is one.
    static Answered ResultOnly(Then<Result> then);

    const ProtocolFunctionTable& m_protocol;
    SimulationPort& m_port;
    SimulationHost& m_host;
    int m_underWay = 0; // the user-interface thread's alone
    std::function<void()> m_idle;
};
