#include "simulator/SimulationPort.h"

SimulationPort::Reply SimulationPort::Exchange(std::span<const std::uint8_t> command, int replyLength)
{
    Reply reply;
    if (replyLength < 1 || replyLength > kBufferSize || command.size() > static_cast<std::size_t>(kBufferSize)) {
        reply.error = kSerialBadArgument;
        return reply;
    }
    reply.error = m_serial.CommandSend(command.data(), static_cast<int>(command.size()), reply.bytes.data(),
        replyLength);
    reply.received = m_serial.ReceivedCount();
    return reply;
}

void SimulationPort::QueueExchange(std::span<const std::uint8_t> command, int replyLength,
    std::function<void(const Reply&)> answered)
{
    std::lock_guard lock(m_queueMutex);
    m_queue.push_back({{command.begin(), command.end()}, replyLength, std::move(answered)});
}

bool SimulationPort::ExchangesQueued() const
{
    std::lock_guard lock(m_queueMutex);
    return !m_queue.empty();
}

bool SimulationPort::RunQueuedExchanges()
{
    bool answered = true;
    for (;;) {
        Queued next;
        {
            std::lock_guard lock(m_queueMutex);
            if (m_queue.empty())
                return answered;
            next = std::move(m_queue.front());
            m_queue.pop_front();
        }
        const Reply reply = Exchange(next.command, next.replyLength);
        answered = answered && reply.error == kSerialOk;
        next.answered(reply);
    }
}
