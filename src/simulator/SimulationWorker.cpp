#include "simulator/SimulationWorker.h"

#include <sys/resource.h>
#include <unistd.h>

namespace {

// The worker's nice value: below the user-interface thread's priority.
constexpr int kWorkerNice = 5;

} // namespace

std::thread StartLoweredThread(std::function<void()> body)
{
    return std::thread([body = std::move(body)] {
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kWorkerNice);
        body();
    });
}

SimulationWorker::SimulationWorker(std::function<void()> pass, const ThreadStarter& start)
    : m_pass(std::move(pass))
    , m_thread(start([this] { Serve(); }))
{
}

SimulationWorker::~SimulationWorker()
{
    {
        std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

bool SimulationWorker::StartPass()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_passRunning)
            return false;
        m_passRunning = true;
    }
    m_wake.notify_one();
    return true;
}

bool SimulationWorker::PassRunning() const
{
    std::lock_guard lock(m_mutex);
    return m_passRunning;
}

void SimulationWorker::Serve()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_passRunning || m_ending; });
        // A pass handed over runs even when the end comes meanwhile.
        if (!m_passRunning)
            return;
        lock.unlock();
        m_pass();
        lock.lock();
        m_passRunning = false;
    }
}
