#pragma once

// A few polling passes of the simulation over the fixture project, with the
// keys' reads of a coil and of 16- and 32-bit values among their exchanges;
// the port given answers every exchange. The reply target feeds its input
// through it, the seed tool a device's well-formed replies.

#include "BuildProgramFolder.h"
#include "model/CVX50TextDoc.h"
#include "simulator/KeyDevice.h"
#include "simulator/SimulationPass.h"
#include "simulator/SimulationPort.h"
#include "simulator/SimulationShared.h"
#include "support/FixtureProject.h"
#include "support/QuietSimulationEvents.h"
#include "support/QueuedSimulationHost.h"
#include "transfer/ProtocolLibrary.h"
#include "transfer/ScreenPollPlan.h"

#include <cstdlib>
#include <optional>
#include <vector>

namespace fuzz_session {

// Enough for a screen switch by the control register (the first read only
// records its value) and a switch back.
constexpr int kPasses = 4;

// The fixture project, the Modbus library and the poll plan of its first
// screen, made once.
struct Setting {
    CVX50TextDoc doc;
    ProtocolFunctionTable protocol;
    std::vector<PollGroup> firstScreenPlan;

    Setting()
    {
        FillFixtureProject(doc);
        UseBuildProgramFolder();
        PollLists lists;
        if (!LoadProtocolLibraryQuietly(doc.ProtocolLibraryName, ProtocolUse::CompileOrSimulate, protocol)
            || CollectScreenAddressesSilently(doc, 0, lists))
            std::abort();
        firstScreenPlan = BuildPollGroups(doc, protocol.GetReadCoilPos, std::move(lists.wordBits),
            std::move(lists.coils), std::move(lists.words));
    }
};

inline void RunSession(const Setting& setting, SimulationPort& port)
{
    // The keys' continuations run on the "user-interface thread": here, after
    // the pass that made their exchanges.
    QueuedSimulationHost host;
    QuietSimulationEvents events;
    SimulationShared shared;
    shared.SimulationRequested = true;
    shared.TimerTicks = 2;
    shared.ReplacePollPlan(setting.firstScreenPlan, setting.doc.Screens[0].Number);
    KeyDevice keys(setting.protocol, port, host);
    for (int pass = 0; pass < kPasses; ++pass) {
        keys.ReadCoil(1, 5, [](std::optional<bool>) {});
        keys.ReadValue(1, 101, 16, true, [](std::optional<std::uint32_t>) {});
        keys.ReadValue(1, 202, 32, pass % 2 == 0, [](std::optional<std::uint32_t>) {});
        SimulationPass(setting.doc, setting.protocol, port, shared, events).Run();
        host.RunPosted();
        shared.TimerTicks += 20;
    }
}

} // namespace fuzz_session
