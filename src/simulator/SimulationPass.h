#pragma once

#include "simulator/DeviceCommand.h"

#include <array>

class CVX50TextDoc;
class SimulationEvents;
class SimulationPort;
class SimulationShared;
struct ProtocolFunctionTable;

// One polling pass, the work the simulation's worker does each time the
// timer hands it the next: it follows the screen the device chooses in its
// control register, reports the displayed screen in the register after it,
// reads the displayed screen's poll groups and hands their values to the
// elements, watches the alarm blocks, replays a deferred key and publishes
// the link state.
//
// The pass reads the document (screens, address table, panel settings, alarm
// blocks), which no command changes while the simulation runs, and writes
// only the elements' live values and the shared state. It makes its
// exchanges on the port itself, each after the keys' exchanges queued
// meanwhile. After each one a cleared request ends the pass, which then
// publishes nothing.
//
// A failed exchange (no reply within its time-out), the pass's own or a
// key's, ends the pass too, and the link error is published at once; the
// values not read yet keep their last ones. While the link is down each pass
// thus tries one exchange, and the first that is answered runs the whole
// pass again.
//
// A reply counts only when it came whole and passes its check; anything
// else is a data error from which nothing is taken.
class SimulationPass {
public:
    SimulationPass(const CVX50TextDoc& doc, const ProtocolFunctionTable& protocol, SimulationPort& port,
        SimulationShared& shared, SimulationEvents& events);

    void Run();

private:
    enum Step : int { ControlStep, ReportStep, PollStep, AlarmStep, StepCount };
    enum class Outcome { Good, Failed, EndPass };
    // Whether an exchange's reply is checked and the request looked at.
    enum class Watch { Reply, Nothing };

    // Each step returns false when the pass ends.
    bool ReadControlRegister();
    bool SwitchScreen(int number);
    bool WriteReportRegister();
    bool ReadPollGroups();
    bool ReadAlarmBlocks();
    void ReplayDeferredKey();
    void PublishLinkState();

    // Sends a built command and takes its reply into `reply`. Good: a whole
    // reply that passed its check. Failed: the step's check flag is set.
    // EndPass: the library refused the command, the exchange failed (the
    // link is lost) or the request was cleared.
    Outcome Exchange(Step step, const DeviceCommand& command, SimulationPort::Reply& reply,
        Watch watch = Watch::Reply);

    const CVX50TextDoc& m_doc;
    const ProtocolFunctionTable& m_protocol;
    SimulationPort& m_port;
    SimulationShared& m_shared;
    SimulationEvents& m_events;
    bool m_linkLost = false;
    std::array<bool, StepCount> m_checkFailed{};
};
