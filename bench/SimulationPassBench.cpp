// One polling pass of the simulation over a screen of registers read in
// several groups from a libmodbus slave on a pseudo-terminal, run as the
// simulation runs it: handed to the simulation's worker thread, through the
// editor's port class and the Modbus protocol library, the keys' queued
// exchanges after it. Side by side with the same reads made by libmodbus's
// own client, and beside them in turn: the pass's time over the client's,
// against its goal.

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

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <numeric>
#include <semaphore>
#include <thread>
#include <vector>

namespace {

constexpr int Station = 1;
constexpr int Baud = 115200;
constexpr int Passes = 200;
// The pass may cost this much more than libmodbus's client making its reads.
constexpr double GoalRatio = 1.10;

using Clock = std::chrono::steady_clock;

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

// The port to the slave, a running simulation's shared state and its worker,
// which runs one pass each time it is handed one and then lets the waiting
// thread go on.
class SimulatedPasses {
public:
    explicit SimulatedPasses(const Screen& screen)
        : m_screen(screen)
    {
        m_opened = m_port.Serial().InitComm(QString::fromStdString(Slave().ClientPath()), Baud, 8, 0, 1.0f, 2048,
            2048);
        m_shared.SimulationRequested = true;
        m_shared.ReplacePollPlan(screen.plan, 1);
    }

    bool Ready() const { return m_screen.ready && m_opened; }

    // Runs one pass on the worker and waits for it; false when an exchange
    // failed or a reply failed its check.
    bool RunOne()
    {
        if (!m_worker.StartPass())
            return false;
        m_passEnded.acquire();
        // The worker marks the pass ended just after the pass's last step.
        while (m_worker.PassRunning())
            std::this_thread::yield();
        return !m_shared.LinkTimeout && !m_shared.DataError;
    }

private:
    const Screen& m_screen;
    SimulationPort m_port;
    bool m_opened = false;
    SimulationShared m_shared;
    QuietSimulationEvents m_events;
    std::binary_semaphore m_passEnded{0};
    SimulationWorker m_worker{[this] {
        SimulationPass(m_screen.doc, m_screen.protocol, m_port, m_shared, m_events).Run();
        m_port.RunQueuedExchanges();
        m_passEnded.release();
    }};
};

// libmodbus's client on the slave, making the reads of the screen's plan.
class ClientReads {
public:
    explicit ClientReads(const Screen& screen)
        : m_screen(screen)
        , m_client(modbus_new_rtu(Slave().ClientPath().c_str(), Baud, 'N', 8, 1), modbus_free)
    {
        m_connected = m_client && modbus_set_slave(m_client.get(), Station) == 0
            && modbus_connect(m_client.get()) == 0;
    }
    ~ClientReads()
    {
        if (m_connected)
            modbus_close(m_client.get());
    }
    ClientReads(const ClientReads&) = delete;
    ClientReads& operator=(const ClientReads&) = delete;

    bool Ready() const { return m_screen.ready && m_connected; }

    // False when a read failed.
    bool RunOne()
    {
        std::uint16_t values[125];
        for (const PollGroup& group : m_screen.plan) {
            if (modbus_read_registers(m_client.get(), group.startAddress, group.length, values) != group.length)
                return false;
        }
        benchmark::DoNotOptimize(values[0]);
        return true;
    }

private:
    const Screen& m_screen;
    std::unique_ptr<modbus_t, void (*)(modbus_t*)> m_client;
    bool m_connected = false;
};

void SimulationPassOfOneScreen(benchmark::State& state)
{
    Screen& screen = TheScreen();
    SimulatedPasses passes(screen);
    if (!passes.Ready()) {
        state.SkipWithError("the library, the screen's plan or the port failed");
        return;
    }
    for (auto _ : state) {
        if (!passes.RunOne()) {
            state.SkipWithError("an exchange failed");
            break;
        }
    }
    Describe(state, screen);
}

void LibmodbusClientSameReads(benchmark::State& state)
{
    const Screen& screen = TheScreen();
    ClientReads client(screen);
    if (!client.Ready()) {
        state.SkipWithError("the plan or the libmodbus client failed");
        return;
    }
    for (auto _ : state) {
        if (!client.RunOne()) {
            state.SkipWithError("read failed");
            return;
        }
    }
    Describe(state, screen);
}

double Median(std::vector<double> values)
{
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Each iteration one pass and the client's reads, in turn first: both meet
// the same load. The time is the pass's; the label holds the median pass's
// time over the median client reads' beside the goal.
void SimulationPassOverLibmodbusClient(benchmark::State& state)
{
    Screen& screen = TheScreen();
    SimulatedPasses passes(screen);
    ClientReads client(screen);
    if (!passes.Ready() || !client.Ready()) {
        state.SkipWithError("the pass or the libmodbus client could not run");
        return;
    }
    std::vector<double> passSeconds, clientSeconds;
    const auto timed = [](auto& way, std::vector<double>& seconds) {
        const Clock::time_point start = Clock::now();
        const bool good = way.RunOne();
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        return good;
    };
    for (auto _ : state) {
        const bool passFirst = passSeconds.size() % 2 == 0;
        const bool good = passFirst ? timed(passes, passSeconds) && timed(client, clientSeconds)
                                    : timed(client, clientSeconds) && timed(passes, passSeconds);
        if (!good) {
            state.SkipWithError("an exchange failed");
            return;
        }
        state.SetIterationTime(passSeconds.back());
    }
    const double ratio = Median(passSeconds) / Median(clientSeconds);
    state.counters["client_us"] = Median(clientSeconds) * 1e6;
    state.counters["pass_us"] = Median(passSeconds) * 1e6;
    char label[96];
    std::snprintf(label, sizeof label, "goal pass / libmodbus client <= %.2fx: %.3fx", GoalRatio, ratio);
    state.SetLabel(label);
    Describe(state, screen);
}

} // namespace

BENCHMARK(SimulationPassOfOneScreen)->Iterations(Passes)->Apply(SideBySide);
BENCHMARK(LibmodbusClientSameReads)->Iterations(Passes)->Apply(SideBySide);
BENCHMARK(SimulationPassOverLibmodbusClient)
    ->Iterations(2 * Passes)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    return RunSideBySide(argc, argv);
}
