// The simulation's worker: one thread, below the user-interface thread's
// priority, runs every pass handed to it, one at a time, and ends when the
// worker is destroyed, after running the pass handed over last.

#include "simulator/SimulationWorker.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

namespace {

using namespace std::chrono_literals;

// A pass that records its thread and then waits until the test lets it end.
class GatedPass {
public:
    void Run()
    {
        std::unique_lock lock(m_mutex);
        m_threads.insert(std::this_thread::get_id());
        m_nice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
        ++m_passes;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_released; });
        m_released = false;
    }

    void AwaitPasses(int count)
    {
        std::unique_lock lock(m_mutex);
        ASSERT_TRUE(m_changed.wait_for(lock, 10s, [&] { return m_passes == count; }));
    }

    void Release()
    {
        std::lock_guard lock(m_mutex);
        m_released = true;
        m_changed.notify_all();
    }

    std::set<std::thread::id> Threads()
    {
        std::lock_guard lock(m_mutex);
        return m_threads;
    }

    int Passes()
    {
        std::lock_guard lock(m_mutex);
        return m_passes;
    }

    int Nice()
    {
        std::lock_guard lock(m_mutex);
        return m_nice;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_released = false;
    int m_passes = 0;
    int m_nice = 0;
    std::set<std::thread::id> m_threads;
};

void AwaitEnd(const SimulationWorker& worker)
{
    for (int k = 0; k < 10000 && worker.PassRunning(); ++k)
        std::this_thread::sleep_for(1ms);
    ASSERT_FALSE(worker.PassRunning());
}

TEST(SimulationWorker, OneLoweredThreadRunsEveryPassOneAtATime)
{
    GatedPass pass;
    SimulationWorker worker([&pass] { pass.Run(); });
    EXPECT_FALSE(worker.PassRunning());
    for (int k = 1; k <= 3; ++k) {
        ASSERT_TRUE(worker.StartPass());
        pass.AwaitPasses(k);
        // No second pass while one runs.
        EXPECT_TRUE(worker.PassRunning());
        EXPECT_FALSE(worker.StartPass());
        pass.Release();
        AwaitEnd(worker);
    }
    const std::set<std::thread::id> threads = pass.Threads();
    ASSERT_EQ(threads.size(), 1u);
    EXPECT_NE(*threads.begin(), std::this_thread::get_id());
    EXPECT_GT(pass.Nice(), ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid())));
}

TEST(SimulationWorker, DestructionLetsThePassHandedOverRunAndEnd)
{
    GatedPass pass;
    std::thread releaser;
    {
        SimulationWorker worker([&pass] { pass.Run(); });
        ASSERT_TRUE(worker.StartPass());
        releaser = std::thread([&pass] {
            std::this_thread::sleep_for(100ms);
            pass.Release();
        });
    }
    releaser.join();
    EXPECT_EQ(pass.Passes(), 1);
}

} // namespace
