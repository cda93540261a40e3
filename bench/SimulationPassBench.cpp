// One polling pass of the simulation over a screen of registers read in
// several groups from a libmodbus slave on a pseudo-terminal, run as the
// simulation runs it: on a worker thread started for the pass, through the
// editor's port class and the Modbus protocol library, the keys' queued
// exchanges after it. Side by side with the same reads made by libmodbus's
// own client.

#include "SideBySide.h"
#include "model/elements/CRegisterElement.h"
#include "modbusslave/ModbusSlave.h"
#include "simulator/SimulationPass.h"
#include "simulator/SimulationPort.h"
#include "simulator/SimulationShared.h"
#include "simulator/SimulationWorker.h"
#include "support/QuietSimulationEvents.h"
#include "support/SimulationProject.h"
#include "transfer/ProtocolLibrary.h"
#include "transfer/ScreenPollPlan.h"

#include <modbus/modbus.h>

#include <memory>
#include <numeric>
#include <vector>

namespace {

constexpr int Station = 1;
constexpr int Baud = 115200;
constexpr int Passes = 200;

ModbusSlave& Slave()
{
    static ModbusSlave slave(Station);
    return slave;
}

// The screen: ten runs of 16-bit registers, each on 12k, 12k + 2, ...,
// 12k + 8 and 12k + 9: read as 100 registers in ten groups (a read takes at
// most 10 registers with the project's communication buffer).
struct Screen {
    CVX50TextDoc doc;
    ProtocolFunctionTable protocol;
    std::vector<PollGroup> plan;
    bool ready = false;

    Screen()
    {
        UseModbusSlave(doc, 1);
        for (int run = 0; run < 10; ++run)
            for (int offset : {0, 2, 4, 6, 8, 9})
                AddRegister(12 * run + offset);
        PollLists lists;
        ready = LoadProtocolLibrary(doc.ProtocolLibraryName, ProtocolUse::CompileOrSimulate, protocol)
            && !CollectScreenAddressesSilently(doc, 0, lists);
        if (ready)
            plan = BuildPollGroups(doc, protocol.GetReadCoilPos, lists.wordBits, lists.coils, lists.words);
    }

    void AddRegister(int address)
    {
        AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", NumberedName("R", address));
    }

    int Registers() const
    {
        return std::accumulate(plan.begin(), plan.end(), 0, [](int n, const PollGroup& g) { return n + g.length; });
    }
};

Screen& TheScreen()
{
    static Screen screen;
    return screen;
}

void Describe(benchmark::State& state, const Screen& screen)
{
    state.counters["groups"] = static_cast<double>(screen.plan.size());
    state.counters["registers"] = screen.Registers();
}

void SimulationPassOfOneScreen(benchmark::State& state)
{
    Screen& screen = TheScreen();
    SimulationPort port;
    const bool opened = port.Serial().InitComm(QString::fromStdString(Slave().ClientPath()), Baud, 8, 0, 1.0f, 2048,
        2048);
    if (!screen.ready || !opened) {
        state.SkipWithError("the library, the screen's plan or the port failed");
        return;
    }
    SimulationShared shared;
    shared.SimulationRequested = true;
    shared.ReplacePollPlan(screen.plan, 1);
    QuietSimulationEvents events;
    for (auto _ : state) {
        StartSimulationWorker([&] {
            SimulationPass(screen.doc, screen.protocol, port, shared, events).Run();
            port.RunQueuedExchanges();
        }).join();
        if (shared.LinkTimeout || shared.DataError) {
            state.SkipWithError("an exchange failed");
            break;
        }
    }
    Describe(state, screen);
}

void LibmodbusClientSameReads(benchmark::State& state)
{
    const Screen& screen = TheScreen();
    std::unique_ptr<modbus_t, void (*)(modbus_t*)> client(
        modbus_new_rtu(Slave().ClientPath().c_str(), Baud, 'N', 8, 1), modbus_free);
    if (!screen.ready || !client || modbus_set_slave(client.get(), Station) != 0
        || modbus_connect(client.get()) != 0) {
        state.SkipWithError("the plan or the libmodbus client failed");
        return;
    }
    std::uint16_t values[125];
    for (auto _ : state) {
        for (const PollGroup& group : screen.plan) {
            if (modbus_read_registers(client.get(), group.startAddress, group.length, values) != group.length) {
                state.SkipWithError("read failed");
                return;
            }
        }
        benchmark::DoNotOptimize(values[0]);
    }
    modbus_close(client.get());
    Describe(state, screen);
}

} // namespace

BENCHMARK(SimulationPassOfOneScreen)->Iterations(Passes)->Apply(SideBySide);
BENCHMARK(LibmodbusClientSameReads)->Iterations(Passes)->Apply(SideBySide);

int main(int argc, char** argv)
{
    return RunSideBySide(argc, argv);
}
