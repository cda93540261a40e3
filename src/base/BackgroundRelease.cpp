#include "base/BackgroundRelease.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

class ReleaseThread {
public:
    ~ReleaseThread()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_one();
        if (m_thread.joinable())
            m_thread.join();
    }

    void Run(std::function<void()> release)
    {
        {
            std::lock_guard lock(m_mutex);
            m_queue.push_back(std::move(release));
            if (!m_thread.joinable())
                m_thread = std::thread([this] { Work(); });
        }
        m_wake.notify_one();
    }

private:
    void Work()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_queue.empty())
                return;
            std::function<void()> release = std::move(m_queue.front());
            m_queue.pop_front();
            lock.unlock();
            release();
            release = nullptr;
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_queue;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace

void RunReleaseInBackground(std::function<void()> release)
{
    static ReleaseThread thread;
    thread.Run(std::move(release));
}
