#include "simulator/SimulationControl.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CRegisterElement.h"
#include "simulator/AlarmLines.h"
#include "simulator/ScreenIndex.h"
#include "simulator/SimulationHost.h"
#include "simulator/SimulationPass.h"
#include "transfer/ComPortNames.h"
#include "transfer/PortOpenReport.h"
#include "transfer/ProtocolLibrary.h"
#include "transfer/ScreenPollPlan.h"

#include <algorithm>
#include <system_error>

namespace {

// The data points of one screen's curve graphs together.
constexpr int kMaxCurvePointsPerScreen = 384;
// Curves sample from this tick on, the timer's count at the start.
constexpr int kFirstTick = 2;

// Every register shows 0, every bar its zero scale and every curve starts
// without samples; false when the curves of one screen have more data
// points than the panel keeps.
bool PrepareElements(const CVX50TextDoc& doc)
{
    bool fits = true;
    for (const ScreenRecord& screen : doc.GetScreens()) {
        int curvePoints = 0;
        for (const ElementRef& ref : screen.Elements) {
            if (ref.kind == KindRegister) {
                auto& reg = static_cast<CRegisterElement&>(*ref.element);
                reg.ShowLiveValue(0, reg.WordSize * reg.RegisterCount);
            } else if (ref.kind == KindGraph) {
                auto& graph = static_cast<CGraphElement&>(*ref.element);
                if (!graph.IsCurve()) {
                    graph.Live().CurrentValue = graph.Zero;
                    continue;
                }
                CGraphElement::LiveState& live = graph.Live();
                live.PolledSamples.Clear();
                live.LastSampleTick = kFirstTick;
                live.ResetRequest = 1;
                curvePoints += graph.GetDataPoints();
            }
        }
        fits = fits && curvePoints <= kMaxCurvePointsPerScreen;
    }
    return fits;
}

} // namespace

SimulationControl::SimulationControl(CVX50TextDoc& doc, ProtocolFunctionTable& protocol, SimulationHost& host,
    int& simulating)
    : m_doc(doc)
    , m_protocol(protocol)
    , m_host(host)
    , m_simulating(simulating)
    , m_keypad(doc, protocol, m_port, m_shared, host)
{
}

SimulationControl::~SimulationControl()
{
    m_shared.SimulationRequested = false;
    m_worker.reset();
}

void SimulationControl::OnSimulate()
{
    const bool starting = m_simulating == 0;
    m_shared.SimulationRequested = starting;
    // A start that failed leaves nothing requested.
    if (starting && !Start())
        m_shared.SimulationRequested = false;
}

void SimulationControl::RequestStop()
{
    m_shared.SimulationRequested = false;
}

bool SimulationControl::Start()
{
    m_doc.CommitWorkingElements();
    if (!LoadProtocolLibrary(m_doc.ProtocolLibraryName, ProtocolUse::CompileOrSimulate, m_protocol))
        return false;
    if (!OpenPort())
        return false;

    m_host.ShowSimulationLayout();
    m_keypad.ResetForStart();
    m_shared.AlarmDisplayOn = false;
    m_shared.WithAlarms([](AlarmState& alarms) { alarms.AlarmFirstLine = 0; });
    m_screenBeforeSimulation = m_doc.CurrentScreenNumber;

    const int mainScreen = m_doc.Panel.MainScreen;
    const int mainIndex = ScreenIndexOf(m_doc, mainScreen);
    if (mainIndex >= 0 && mainScreen != m_doc.CurrentScreenNumber)
        ShowScreen(mainScreen);
    std::vector<PollItem> wordBits, coils, words;
    if (mainIndex < 0 || !CollectScreenAddresses(m_doc, mainIndex, wordBits, coils, words)) {
        CurrentUi().ShowMessage(IdsControlElementAddressMissing);
        RestoreEditor();
        return false;
    }
    if (!PrepareElements(m_doc)) {
        RestoreEditor();
        CurrentUi().ShowMessage(IdsCurvePointsOver384);
        return false;
    }

    m_shared.LastScreenRegisterValue = -1;
    m_shared.ReplacePollPlan(BuildPollGroups(m_doc, m_protocol.GetReadCoilPos, std::move(wordBits),
                                 std::move(coils), std::move(words)),
        m_doc.CurrentScreenNumber);
    m_host.StartTimer(kTimerMilliseconds);
    m_shared.TimerTicks = kFirstTick;
    // The state is complete before the first pass can look at it.
    m_shared.LinkTimeout = false;
    m_shared.DataError = false;
    m_simulating = 1;
    StartPass();
    return true;
}

bool SimulationControl::OpenPort()
{
    const PortSettings& line = m_doc.Com1Port;
    CPanelSerial& serial = m_port.Serial();
    const bool opened = serial.InitComm(PanelPortName(m_doc.ProjectComPort), line.baud, line.dataBits, line.parity,
        static_cast<float>(line.stopBits), 2048, 2048);
    if (!opened)
        ReportPortOpenFailure(serial);
    return opened;
}

void SimulationControl::ShowScreen(int number)
{
    m_doc.EditScreen(number);
    CurrentUi().RedrawCanvas();
}

void SimulationControl::RestoreEditor()
{
    m_keypad.ResetForStop();
    m_simulating = 0;
    m_shared.SimulationRequested = false;
    m_shared.LinkTimeout = false;
    m_shared.DataError = false;
    m_shared.AlarmDisplayOn = false;
    m_shared.WithAlarms([](AlarmState& alarms) {
        alarms.AlarmSnapshot = {};
        alarms.ActiveAlarmLines.clear();
    });
    ShowScreen(m_screenBeforeSimulation);
    m_host.ShowEditorLayout();
    m_port.Close();
}

void SimulationControl::OnTimer()
{
    if (m_simulating == 0)
        return;
    ++m_shared.TimerTicks;
    if (PassRunning())
        return;
    // The keys' exchanges are made, and their outcomes taken, before the
    // stop.
    if (m_shared.SimulationRequested || m_port.ExchangesQueued())
        StartPass();
    else if (!m_keypad.ExchangesUnderWay())
        StopSequence();
}

void SimulationControl::StopSequence()
{
    m_host.StopTimer();
    // No pass runs: the worker, waiting for the next one, ends at once.
    m_worker.reset();
    RestoreEditor();
}

void SimulationControl::StartPass()
{
    if (!m_worker) {
        try {
            m_worker = std::make_unique<SimulationWorker>([this] { RunPass(); },
                [this](std::function<void()> body) { return StartWorkerThread(std::move(body)); });
        } catch (const std::system_error&) {
            return;
        }
    }
    m_worker->StartPass();
}

std::thread SimulationControl::StartWorkerThread(std::function<void()> body)
{
    return StartLoweredThread(std::move(body));
}

void SimulationControl::RunPass()
{
    try {
        if (m_shared.SimulationRequested)
            SimulationPass(m_doc, m_protocol, m_port, m_shared, *this).Run();
        // Keys queued after the pass's last exchange are not left for the
        // next; one that the device did not answer shows the link error as
        // the pass's own exchanges do.
        if (!m_port.RunQueuedExchanges()) {
            m_shared.LinkTimeout = true;
            PassCompleted();
        }
    } catch (const std::exception& error) {
        // As at a command's boundary: the error ends the simulation with
        // its message.
        m_shared.SimulationRequested = false;
        m_host.PostToUserInterface(
            [text = GbkFromUtf8(error.what())] { CurrentUi().ShowMessageText(text, MbOk | MbIconWarning); });
    }
}

void SimulationControl::ScreenSwitched()
{
    m_host.PostToUserInterface([this] {
        if (m_simulating == 1)
            ShowScreen(m_shared.DisplayedScreen);
    });
}

void SimulationControl::ScreenAddressesMissing()
{
    m_host.PostToUserInterface([] { CurrentUi().ShowMessage(IdsControlElementAddressMissing); });
}

void SimulationControl::DeferredKeyReplayed(int deferredCode)
{
    m_host.PostToUserInterface([this, deferredCode] {
        if (m_simulating == 1)
            m_host.ReplayKey(deferredCode);
    });
}

void SimulationControl::PassCompleted()
{
    m_host.PostToUserInterface([] { CurrentUi().RedrawCanvas(); });
}

SimulatedDisplayFlags SimulationControl::DisplayFlags() const
{
    SimulatedDisplayFlags flags;
    flags.simulating = m_simulating == 1;
    if (!flags.simulating)
        return flags;
    flags.linkTimedOut = m_shared.LinkTimeout;
    flags.dataError = m_shared.DataError;
    flags.alarmDisplay = m_shared.AlarmDisplayOn;
    m_keypad.AddDisplayFlags(flags);
    if (flags.alarmDisplay && !flags.linkTimedOut)
        flags.alarmTexts = ListActiveAlarms();
    return flags;
}

std::vector<std::string> SimulationControl::ListActiveAlarms() const
{
    const int blocks = static_cast<int>(m_doc.AlarmBlocks.size());
    return m_shared.WithAlarms([&](AlarmState& alarms) {
        alarms.ActiveAlarmLines = ActiveAlarms(m_doc.AlarmSegments, blocks, alarms);
        // A new alarm shows the last page.
        if (!alarms.ActiveAlarmLines.empty() && alarms.AlarmRaised)
            alarms.AlarmFirstLine = LastAlarmPage(static_cast<int>(alarms.ActiveAlarmLines.size()));
        return ListedAlarmTexts(m_doc.AlarmSegments, alarms.ActiveAlarmLines, alarms.AlarmFirstLine);
    });
}
