#pragma once

// For the simulation's thread tests: the windows as the simulation leaves
// them, and the queue of work posted to the user-interface thread (the
// test's thread), run when the test says so. Header-only.

#include "simulator/SimulationHost.h"

#include <deque>
#include <functional>
#include <mutex>
#include <vector>

class QueuedSimulationHost : public SimulationHost {
public:
    void ShowSimulationLayout() override { simulationLayout = true; }
    void ShowEditorLayout() override { simulationLayout = false; }
    void StartTimer(int milliseconds) override { timerMs = milliseconds; }
    void StopTimer() override { timerMs = 0; }
    void PostToUserInterface(std::function<void()> work) override
    {
        std::lock_guard lock(m_mutex);
        m_posted.push_back(std::move(work));
    }
    void ReplayKey(int deferredCode) override { replayedKeys.push_back(deferredCode); }

    // Runs the work posted so far, and what it posts in turn.
    void RunPosted()
    {
        while (std::function<void()> work = Next())
            work();
    }

    bool simulationLayout = false;
    int timerMs = 0;
    std::vector<int> replayedKeys;

private:
    std::function<void()> Next()
    {
        std::lock_guard lock(m_mutex);
        if (m_posted.empty())
            return {};
        std::function<void()> work = std::move(m_posted.front());
        m_posted.pop_front();
        return work;
    }

    std::mutex m_mutex;
    std::deque<std::function<void()>> m_posted;
};
