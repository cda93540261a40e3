#pragma once

#include "simulator/AlarmWatch.h"
#include "transfer/PollGroup.h"

#include <array>
#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

// The alarm state of a running simulation: written by the polling worker,
// read by the painting of the simulated display and by the keypad. Guarded
// by the display mutex of SimulationShared.
struct AlarmState {
    // Per block, the position of its first alarm among the bits read for it,
    // and those bits as read last.
    std::array<int, kMaxAlarmBlocks> AlarmStartBits{};
    std::array<AlarmBits, kMaxAlarmBlocks> AlarmSnapshot{};
    // The current pass saw an alarm rise.
    bool AlarmRaised = false;
    // The alarms the alarm display lists, as (alarm segment index, alarm
    // index), and the first one shown (steps of four).
    std::vector<std::pair<int, int>> ActiveAlarmLines;
    int AlarmFirstLine = 0;
};

// What the polling worker and the user-interface thread share while the
// simulation runs. Single values are atomic; the poll plan and the alarm
// state are copied or changed under their own mutexes, each held only for
// that, never during an exchange or a dialog.
class SimulationShared {
public:
    // The simulation is to run; cleared to stop it. A pass looks at it after
    // every exchange.
    std::atomic<bool> SimulationRequested{false};
    // Timer messages since the start (from 2): the clock of curve sampling.
    std::atomic<int> TimerTicks{0};
    // The number of the screen on the simulated display.
    std::atomic<int> DisplayedScreen{1};
    // The last complete pass had an exchange fail / a reply fail its check.
    std::atomic<bool> LinkTimeout{false};
    std::atomic<bool> DataError{false};
    // A key pressed while the alarm display was shown, 1 to 24, replayed
    // after the next pass; -1 none.
    std::atomic<int> DeferredKey{-1};
    // 3 while a momentary-ON key is held (no alarm rises then), 4 for
    // momentary OFF, else 0.
    std::atomic<int> MomentaryCoilState{0};
    // The simulated display shows the alarm list.
    std::atomic<bool> AlarmDisplayOn{false};
    // The control register's last value, -1 before the first read. Only the
    // worker uses it once the simulation runs (the start sets it before it
    // hands over the first pass, and the worker's hand-over orders the two).
    int LastScreenRegisterValue = -1;

    // The poll plan of the displayed screen.
    std::vector<PollGroup> CopyPollPlan() const;
    // A screen switch: the plan of the screen numbered `screen`, which the
    // simulated display shows from now on.
    void ReplacePollPlan(std::vector<PollGroup> plan, int screen);

    // Runs `use` on the alarm state under the display mutex.
    template <typename Use> auto WithAlarms(Use use)
    {
        std::lock_guard lock(m_displayMutex);
        return use(m_alarms);
    }

private:
    mutable std::mutex m_planMutex;
    std::vector<PollGroup> m_pollPlan;
    std::mutex m_displayMutex;
    AlarmState m_alarms;
};
