#include "simulator/KeyDevice.h"

#include "simulator/SimulationHost.h"
#include "transfer/ProtocolFunctionTable.h"

namespace {

constexpr int kCoilsPerWord = 16;

// The state of coil `address` in the whole reply to a coil read from coil
// `first`: the bit the library places it at, or an ASCII reply's number
// field (on unless 0); nothing when the reply does not hold it.
std::optional<bool> CoilInReply(const ProtocolFunctionTable& protocol, const DeviceReply& reply, int first,
    int address)
{
    if (!reply.binary) {
        const std::optional<int> field = ReplyAsciiField(reply, reply.dataPosition);
        return field ? std::optional(*field != 0) : std::nullopt;
    }
    int bit = 0;
    const int position = protocol.GetReadCoilPos(first, address, &bit);
    if (position < 0 || position >= static_cast<int>(reply.bytes.size()))
        return std::nullopt;
    return ((reply.bytes[static_cast<std::size_t>(position)] >> (bit & 7)) & 1) != 0;
}

} // namespace

KeyDevice::Answered KeyDevice::ResultOnly(Then<Result> then)
{
    return [then = std::move(then)](Result result, const DeviceCommand&, const SimulationPort::Reply&) {
        if (then)
            then(result);
    };
}

KeyDevice::KeyDevice(const ProtocolFunctionTable& protocol, SimulationPort& port, SimulationHost& host)
    : m_protocol(protocol)
    , m_port(port)
    , m_host(host)
{
}

void KeyDevice::Exchange(const DeviceCommand& command, Answered answered)
{
    if (!command.Built()) {
        answered(Result::NotBuilt, command, {});
        return;
    }
    ++m_underWay;
    m_port.QueueExchange(command.Bytes(), command.ReplyLength(),
        [this, command, answered = std::move(answered)](const SimulationPort::Reply& reply) {
            m_host.PostToUserInterface([this, command, answered, reply] {
                answered(CameWhole(m_protocol, command, reply) ? Result::Done : Result::Failed, command, reply);
                if (--m_underWay == 0 && m_idle)
                    m_idle();
            });
        });
}

void KeyDevice::WriteCoil(int station, int address, bool on, Then<Result> then)
{
    Exchange(BuildWriteSingleBit(m_protocol, station, address, on), ResultOnly(std::move(then)));
}

void KeyDevice::WriteRegisters(int station, int address, std::span<const std::uint8_t> bytes, int groupMode,
    Then<Result> then)
{
    Exchange(BuildWriteRegisters(m_protocol, station, address, bytes, groupMode), ResultOnly(std::move(then)));
}

void KeyDevice::ReadCoil(int station, int address, Then<std::optional<bool>> then)
{
    const int first = address - address % kCoilsPerWord;
    Exchange(BuildReadBit(m_protocol, station, first, kCoilsPerWord),
        [this, first, address, then = std::move(then)](Result result, const DeviceCommand& read,
            const SimulationPort::Reply& reply) {
            if (result != Result::Done)
                return then(std::nullopt);
            then(CoilInReply(m_protocol, ReplyTo(m_protocol, read, reply), first, address));
        });
}

void KeyDevice::ReadValue(int station, int address, int width, bool highFront,
    Then<std::optional<std::uint32_t>> then)
{
    Exchange(BuildReadRegister(m_protocol, station, address, width / 16),
        [this, width, highFront, then = std::move(then)](Result result, const DeviceCommand& read,
            const SimulationPort::Reply& reply) {
            if (result != Result::Done)
                return then(std::nullopt);
            then(ReplyValue(ReplyTo(m_protocol, read, reply), 0, width, highFront));
        });
}
