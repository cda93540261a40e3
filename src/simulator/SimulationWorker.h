#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Starts a thread that runs `body` at a nice value below the user-interface
// thread's priority. Throws std::system_error when no thread can be made, as
// std::thread does.
std::thread StartLoweredThread(std::function<void()> body);

// The simulation's worker: one thread for the whole simulation that waits
// for the next pass and runs it, so a pass costs no thread of its own. The
// user-interface thread hands it a pass and later sees whether it has ended;
// it never waits for one, except at the destruction, which lets the running
// pass end.
class SimulationWorker {
public:
    using ThreadStarter = std::function<std::thread(std::function<void()>)>;

    // Starts the thread (by `start`) that runs `pass` each time it is handed
    // one. Throws std::system_error when no thread can be made.
    explicit SimulationWorker(std::function<void()> pass, const ThreadStarter& start = StartLoweredThread);
    // Waits for the pass handed over, if any, to end, then ends the thread.
    ~SimulationWorker();
    SimulationWorker(const SimulationWorker&) = delete;
    SimulationWorker& operator=(const SimulationWorker&) = delete;

    // Hands the thread the next pass; false (and nothing handed over) while
    // the last one has not ended.
    bool StartPass();
    // A pass has been handed over and has not ended yet.
    bool PassRunning() const;

private:
    void Serve();

    const std::function<void()> m_pass;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_passRunning = false;
    bool m_ending = false;
    std::thread m_thread;
};
