#pragma once

#include "transfer/PanelSerial.h"

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <thread>

// The serial port of the simulation and the one thread that uses it. Every
// caller (the polling worker, and on the user-interface thread the keypad's
// key executor) hands its whole exchange to the port thread and waits for
// its end: exchanges run one after the other and never interleave, so the
// port thread is the port lock. The port object is never touched by any
// other thread.
class SimulationPort {
public:
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

    SimulationPort();
    // Closes the port after the exchanges handed over, and ends the thread.
    ~SimulationPort();
    SimulationPort(const SimulationPort&) = delete;
    SimulationPort& operator=(const SimulationPort&) = delete;

    // Runs `work` on the port thread with the port, after the work handed
    // over before it, and returns when it has run (opening, closing and
    // exchanges go this way).
    void Run(const std::function<void(CPanelSerial&)>& work);

    // Sends `command` and receives up to `replyLength` bytes. A reply
    // longer than the buffer is refused before anything is sent
    // (kSerialBadArgument).
    Reply Exchange(std::span<const std::uint8_t> command, int replyLength);

    void Close();
    bool IsOpen();

private:
    struct Job {
        const std::function<void(CPanelSerial&)>* work;
        bool done = false;
    };
    void Serve();

    CPanelSerial m_serial; // the port thread's alone
    std::mutex m_mutex;
    std::condition_variable m_jobAdded;
    std::condition_variable m_jobDone;
    std::deque<Job*> m_jobs;
    bool m_quit = false;
    std::thread m_thread;
};
