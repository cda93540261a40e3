#pragma once

#include "transfer/PanelSerial.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

// The serial port of the simulation. One thread at a time uses it and no
// thread ever waits for another's exchange: the user-interface thread opens
// it before the worker starts and closes it once the worker has ended; in
// between, the worker makes every exchange on it, those of its passes and,
// between two of them, those that the keypad's keys queue.
class SimulationPort {
public:
    virtual ~SimulationPort() = default;

    // The command and reply buffers of one exchange.
    static constexpr int kBufferSize = 256;

    struct Reply {
        ErrType error = kSerialNotOpen;
        int received = 0; // bytes that came, also after a failure
        std::array<std::uint8_t, kBufferSize> bytes{};

        std::span<const std::uint8_t> Received() const
        {
            return {bytes.data(), static_cast<std::size_t>(received)};
        }
    };

    // The port itself, opened and closed while no worker runs.
    CPanelSerial& Serial() { return m_serial; }
    void Close() { m_serial.Close(); }
    // Also while a worker exchanges (which changes nothing that this reads).
    bool IsOpen() const { return m_serial.IsOpen(); }

    // On the worker: sends `command` and receives up to `replyLength` bytes.
    // A reply longer than the buffer is refused before anything is sent
    // (kSerialBadArgument). Every exchange, queued ones included, goes
    // through here, so a port that answers from elsewhere (the fuzz target's
    // replies) overrides it.
    virtual Reply Exchange(std::span<const std::uint8_t> command, int replyLength);

    // From any thread: queues one exchange for the worker, which hands its
    // reply to `answered` on its own thread.
    void QueueExchange(std::span<const std::uint8_t> command, int replyLength,
        std::function<void(const Reply&)> answered);
    bool ExchangesQueued() const;
    // On the worker: makes the queued exchanges in the order they came,
    // those queued meanwhile included. False when one of them failed (the
    // device did not answer), as the link is then lost.
    bool RunQueuedExchanges();

private:
    struct Queued {
        std::vector<std::uint8_t> command;
        int replyLength = 0;
        std::function<void(const Reply&)> answered;
    };

    CPanelSerial m_serial;
    mutable std::mutex m_queueMutex;
    std::deque<Queued> m_queue;
};
