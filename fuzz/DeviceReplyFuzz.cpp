// Feeds arbitrary bytes to the simulation as the device's replies (see
// SimulatedSession.h): every input must end in values shown or a data
// error, never in a crash or a sanitizer report.
#include "SimulatedSession.h"
#include "transfer/Crc16.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {

// Answers each exchange from the input. A control byte per reply: bit 0
// gives the whole length asked for (else the next byte says how many bytes
// came, at most that length), bit 1 seals the reply with its CRC-16 (which
// random bytes would almost never pass), bit 2 lets the exchange time out.
// Once the input has run out every exchange times out.
class InputPort : public SimulationPort {
public:
    explicit InputPort(std::span<const std::uint8_t> input)
        : m_input(input)
    {
    }

    Reply Exchange(std::span<const std::uint8_t>, int replyLength) override
    {
        Reply reply;
        reply.error = kSerialNoReply;
        if (m_input.empty() || replyLength < 1 || replyLength > kBufferSize)
            return reply;
        const std::uint8_t how = Take();
        if (how & 4)
            return reply;
        const int count = (how & 1) ? replyLength : std::min<int>(Take(), replyLength);
        for (int i = 0; i < count; ++i)
            reply.bytes[static_cast<std::size_t>(i)] = Take();
        if ((how & 2) && count > 2)
            AppendCrc16(reply.bytes.data(), static_cast<std::size_t>(count - 2));
        // The port takes a short reply from two bytes on.
        reply.error = count >= 2 || count == replyLength ? kSerialOk : kSerialShortReply;
        reply.received = count;
        return reply;
    }

private:
    std::uint8_t Take()
    {
        if (m_input.empty())
            return 0;
        const std::uint8_t byte = m_input.front();
        m_input = m_input.subspan(1);
        return byte;
    }

    std::span<const std::uint8_t> m_input;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fuzz_session::Setting setting;
    InputPort port({data, size});
    fuzz_session::RunSession(setting, port);
    return 0;
}
