#pragma once

#include "simulator/SimulatedDisplayState.h"
#include "simulator/SimulatedKeypad.h"
#include "simulator/SimulationEvents.h"
#include "simulator/SimulationPort.h"
#include "simulator/SimulationShared.h"
#include "simulator/SimulationWorker.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class CVX50TextDoc;
class SimulationHost;
struct ProtocolFunctionTable;

// The simulation of the panel against the real device: the simulate command
// with its start sequence, the timer that hands one polling pass after
// another to the worker thread, which lives as long as the simulation runs,
// and the stop, which the timer completes once the running pass has ended;
// the user-interface thread never waits for a pass. The main frame holds it and forwards its command and timer to it.
//
// While it runs, the worker owns the port: it polls the device, writes the
// elements' live values and the shared state, and between two of its
// exchanges makes those that the keypad's keys queue. The canvas paints the
// simulated display from DisplayFlags; the keypad window presses Keypad().
class SimulationControl : public SimulatedDisplayState, private SimulationEvents {
public:
    static constexpr int kTimerMilliseconds = 50;

    // `protocol` is the view's table of the protocol library's entries, which
    // the start fills; `simulating` the main frame's flag that the editor's
    // commands read, 1 while the simulation runs.
    SimulationControl(CVX50TextDoc& doc, ProtocolFunctionTable& protocol, SimulationHost& host, int& simulating);
    // Ends a running pass first (waiting for its exchange and the keys'
    // exchanges queued) and the worker, then the port; outcomes still to
    // come are dropped.
    ~SimulationControl() override;
    SimulationControl(const SimulationControl&) = delete;
    SimulationControl& operator=(const SimulationControl&) = delete;

    // The simulate command: starts the simulation when it is off; while it
    // runs, requests the stop.
    void OnSimulate();
    // Requests the stop of a running simulation (the next tick after the
    // running pass has ended completes it).
    void RequestStop();
    // One tick of the timer: starts the next pass once the last one has
    // ended, or completes a requested stop, which ends the worker, once the
    // keys' exchanges have ended too.
    void OnTimer();

    bool IsRequested() const { return m_shared.SimulationRequested; }
    // A pass is running on the worker.
    bool PassRunning() const { return m_worker && m_worker->PassRunning(); }
    int ScreenBeforeSimulation() const { return m_screenBeforeSimulation; }

    SimulationShared& Shared() { return m_shared; }
    SimulationPort& Port() { return m_port; }
    // The panel's keys, which the keypad window presses.
    SimulatedKeypad& Keypad() { return m_keypad; }

    // At every paint: the flags, the link state of the last complete pass,
    // and the alarm display's texts from its first line.
    SimulatedDisplayFlags DisplayFlags() const override;

protected:
    // Starts the worker's thread, which runs `body` until the simulation
    // ends; throws std::system_error when no thread can be made, as
    // std::thread does.
    virtual std::thread StartWorkerThread(std::function<void()> body);

private:
    bool Start();
    bool OpenPort();
    void ShowScreen(int number);
    // Back to the editor after a failed start or the stop: the screen edited
    // before, the alarm state cleared, the editor layout, the port closed.
    void RestoreEditor();
    void StopSequence();
    // Hands the worker the next pass, making the worker first when there is
    // none yet (a worker that cannot be made is made at a later tick).
    void StartPass();
    void RunPass();
    // Rebuilds the alarm display's lines from the alarm bits; their texts
    // from the first line shown.
    std::vector<std::string> ListActiveAlarms() const;

    // The pass's events, queued for the user-interface thread.
    void ScreenSwitched() override;
    void ScreenAddressesMissing() override;
    void DeferredKeyReplayed(int deferredCode) override;
    void PassCompleted() override;

    CVX50TextDoc& m_doc;
    ProtocolFunctionTable& m_protocol;
    SimulationHost& m_host;
    int& m_simulating;
    int m_screenBeforeSimulation = 1;
    // The painting rebuilds the alarm lines it lists.
    mutable SimulationShared m_shared;
    SimulationPort m_port;
    SimulatedKeypad m_keypad;
    // From the start (or the first tick that could make it) to the stop.
    std::unique_ptr<SimulationWorker> m_worker;
};
