// The simulation against a libmodbus RTU slave on a pseudo-terminal, through
// the editor's own port class and the program folder's Modbus protocol
// library: start, passes on the worker, screen switching, link and data
// faults, alarms, keys' exchanges among the pass's, the stop and the failed
// starts.

#include "StringIds.h"
#include "base/GbkText.h"
#include "emulator/ComPortOverride.h"
#include "model/AlarmBlocks.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "model/elements/PanelKeys.h"
#include "modbusslave/ModbusSlave.h"
#include "simulator/CoilAction.h"
#include "simulator/SimulationControl.h"
#include "support/AlarmFixtures.h"
#include "support/QueuedSimulationHost.h"
#include "support/RecordingUserInterface.h"
#include "support/SimulationProject.h"
#include "transfer/ProtocolFunctionTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <system_error>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int Station = 1;
constexpr int ComPort = 7;

class Simulation : public ::testing::Test {
protected:
    Simulation()
    {
        UseModbusSlave(doc, ComPort);
        ScreenRecord second;
        second.Number = 2;
        doc.Screens.push_back(second);
    }

    // Edits screen 1 and starts; the first pass runs then.
    void Start()
    {
        doc.SetWorkingElements(doc.FindScreenByNumber(doc.CurrentScreenNumber)->Elements);
        control.OnSimulate();
    }

    // Waits until the running pass of `simulation` has ended and runs what
    // it posted.
    void FinishPass(const SimulationControl& simulation)
    {
        const auto deadline = Clock::now() + 10s;
        while (simulation.PassRunning() && Clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
        ASSERT_FALSE(simulation.PassRunning()) << "the pass did not end";
        host.RunPosted();
    }
    void FinishPass() { FinishPass(control); }

    // One timer tick: it starts the next pass (or completes a stop).
    void NextPass()
    {
        control.OnTimer();
        FinishPass();
    }

    void UseAlarms(const std::vector<AlarmSegment>& segments)
    {
        doc.AlarmSegments = segments;
        doc.AlarmBlocks = BuildAlarmBlocks(doc.AlarmSegments, doc.AddressTable);
    }

    // A function key on screen 1 that sets coil `coil` of `station` on.
    void BindCoilKey(int key, int coil, int station = Station)
    {
        auto element = AddBound(doc, 0, std::make_shared<CFuncKeyElement>(), "Coil", NumberedName("C", coil),
            station);
        element->SetKey(key);
        element->SetAction(CFuncKeyElement::SetCoil);
        element->SetCoilOperation(CoilOn);
    }

    // Waits until the slave has received `count` requests in all.
    void AwaitRequests(std::size_t count)
    {
        const auto deadline = Clock::now() + 10s;
        while (slave.Requests().size() < count && Clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
        ASSERT_EQ(slave.Requests().size(), count);
    }

    // The requests received from the `first` on.
    std::vector<ModbusSlave::Request> RequestsFrom(std::size_t first)
    {
        const std::vector<ModbusSlave::Request> all = slave.Requests();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(first, all.size())), all.end()};
    }

    // The command, and the tick after the running pass.
    void Stop()
    {
        control.OnSimulate();
        FinishPass();
        control.OnTimer();
        host.RunPosted();
        ASSERT_EQ(simulating, 0);
    }

    ModbusSlave slave{Station};
    ComPortOverride port{ComPort, slave.ClientPath()};
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    ProtocolFunctionTable protocol;
    QueuedSimulationHost host;
    int simulating = 0;
    SimulationControl control{doc, protocol, host, simulating};
};

TEST_F(Simulation, ValuesOfEveryKindReachTheElements)
{
    auto reg = AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R10");
    auto far = AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R150");
    auto wide = AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg32", "D400");
    wide->WordSize = 32;
    wide->Digits = 10;
    auto coilLamp = AddBound(doc, 0, std::make_shared<CLampElement>(), "Coil", "C3");
    auto bitLamp = AddBound(doc, 0, std::make_shared<CLampElement>(), "Bits", "B18");
    auto text = AddBound(doc, 0, std::make_shared<CTextElement>(1), "Reg", "R11");
    text->AddState("idle", "0");
    text->AddState("running", "7");
    auto bar = AddBound(doc, 0, std::make_shared<CGraphElement>(0), "Reg", "R12");
    slave.SetRegister(10, 1234);
    slave.SetRegister(150, 42);
    slave.SetRegister(400, 0x0001); // high word first: 0x0001E240 = 123456
    slave.SetRegister(401, 0xE240);
    slave.SetCoil(3, true);
    slave.SetRegister(301, 0x0004); // B18: bit 2 of register 301
    slave.SetRegister(11, 7);
    slave.SetRegister(12, 300);

    Start();
    ASSERT_EQ(simulating, 1);
    EXPECT_TRUE(host.simulationLayout);
    EXPECT_EQ(host.timerMs, 50);
    FinishPass();

    EXPECT_EQ(reg->GetEntryText(), "01234");
    EXPECT_EQ(far->GetEntryText(), "00042");
    EXPECT_EQ(wide->GetEntryText(), "0000123456");
    EXPECT_EQ(coilLamp->GetState(), 0); // lit
    EXPECT_EQ(bitLamp->GetState(), 0);
    EXPECT_EQ(text->ShownEntry(), 1);
    EXPECT_EQ(bar->Live().CurrentValue, 300);
    EXPECT_FALSE(control.Shared().LinkTimeout);
    EXPECT_FALSE(control.Shared().DataError);
    EXPECT_TRUE(ui.messages.empty());

    slave.SetCoil(3, false);
    slave.SetRegister(10, 99);
    NextPass();
    EXPECT_EQ(coilLamp->GetState(), 1);
    EXPECT_EQ(reg->GetEntryText(), "00099");
    Stop();
}

TEST_F(Simulation, LowWordFirstDevices)
{
    doc.HighFront = 0;
    auto wide = AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg32", "D400");
    wide->WordSize = 32;
    wide->Digits = 10;
    slave.SetRegister(400, 0xE240);
    slave.SetRegister(401, 0x0001);
    Start();
    FinishPass();
    EXPECT_EQ(wide->GetEntryText(), "0000123456");
    Stop();
}

TEST_F(Simulation, ControlRegisterSwitchesScreensAndReportsThem)
{
    doc.Panel.AutoScreenSwitch = 1;
    doc.Panel.ReportScreen = 1;
    doc.Panel.ClearAfterSwitch = 1;
    doc.Panel.ControlGroupName = "Reg";
    doc.Panel.ControlElementName = "R20"; // R21 reports
    auto onTwo = AddBound(doc, 1, std::make_shared<CRegisterElement>(), "Reg", "R30");
    slave.SetRegister(30, 77);
    slave.SetRegister(20, 2);

    // The first read only records: the main screen stays.
    Start();
    FinishPass();
    EXPECT_EQ(doc.CurrentScreenNumber, 1);
    EXPECT_EQ(slave.Register(21), 1);
    EXPECT_EQ(slave.Register(20), 2);
    EXPECT_EQ(onTwo->GetEntryText(), "00000");

    // A change switches at the next pass, which reports the new screen and
    // clears the control register.
    slave.SetRegister(20, 1);
    NextPass();
    slave.SetRegister(20, 2);
    NextPass();
    EXPECT_EQ(doc.CurrentScreenNumber, 2);
    EXPECT_EQ(doc.GetWorkingElements().size(), 1u);
    EXPECT_EQ(onTwo->GetEntryText(), "00077");
    EXPECT_EQ(slave.Register(21), 2);
    EXPECT_EQ(slave.Register(20), 0);

    // A number no screen has reloads the displayed screen; the register is
    // still cleared.
    slave.SetRegister(20, 9);
    NextPass();
    EXPECT_EQ(doc.CurrentScreenNumber, 2);
    EXPECT_EQ(slave.Register(20), 0);
    EXPECT_EQ(slave.Register(21), 2);

    // The stop returns to the screen edited before the start.
    Stop();
    EXPECT_EQ(doc.CurrentScreenNumber, 1);
    EXPECT_TRUE(doc.GetWorkingElements().empty());
}

TEST_F(Simulation, ControlElementMissingFromTheTableIsNeitherReadNorWritten)
{
    doc.Panel.AutoScreenSwitch = 1;
    doc.Panel.ReportScreen = 1;
    doc.Panel.ControlGroupName = "Reg";
    doc.Panel.ControlElementName = "R399"; // the last of its group: nothing to report to
    AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R5");
    Start();
    FinishPass();
    const int withControl = slave.RequestCount();
    EXPECT_EQ(withControl, 2); // the control register and the poll group

    doc.Panel.ControlElementName = "gone";
    NextPass();
    EXPECT_EQ(slave.RequestCount() - withControl, 1);
    EXPECT_FALSE(control.Shared().LinkTimeout);
    EXPECT_FALSE(control.Shared().DataError);
    Stop();
}

TEST_F(Simulation, SilentSlaveGivesTheLinkTimeoutAfterOneExchange)
{
    // Nine reads a pass.
    std::vector<std::shared_ptr<CRegisterElement>> regs;
    for (int k = 0; k < 9; ++k) {
        regs.push_back(AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", NumberedName("R", 20 * k)));
        slave.SetRegister(20 * k, 5);
    }
    Start();
    FinishPass();
    ASSERT_EQ(slave.RequestCount(), 9);
    EXPECT_FALSE(control.Shared().LinkTimeout);

    // The first exchange that fails shows the link error and ends the pass;
    // while the device stays silent, each pass tries one exchange.
    slave.SetSilent(true);
    for (int k = 0; k < 9; ++k)
        slave.SetRegister(20 * k, 6);
    for (int pass = 1; pass <= 2; ++pass) {
        NextPass();
        EXPECT_EQ(slave.RequestCount(), 9 + pass);
        EXPECT_TRUE(control.Shared().LinkTimeout);
        EXPECT_TRUE(control.DisplayFlags().linkTimedOut);
    }
    EXPECT_EQ(regs[0]->GetEntryText(), "00005");

    // The first pass the device answers is whole again, and clears it.
    slave.SetSilent(false);
    NextPass();
    EXPECT_EQ(slave.RequestCount(), 11 + 9);
    EXPECT_FALSE(control.Shared().LinkTimeout);
    for (const auto& reg : regs)
        EXPECT_EQ(reg->GetEntryText(), "00006");
    Stop();
}

TEST_F(Simulation, AFailedExchangeEndsThePassAndLaterValuesKeepTheirLast)
{
    // Plan order: the coil, a station nobody answers, the slave's register.
    auto lamp = AddBound(doc, 0, std::make_shared<CLampElement>(), "Coil", "C3");
    auto unanswered = AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R1", 9);
    auto later = AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R100");
    slave.SetCoil(3, true);
    slave.SetRegister(100, 5);
    Start();
    FinishPass();
    EXPECT_TRUE(control.Shared().LinkTimeout);
    EXPECT_EQ(lamp->GetState(), 0); // read before the failure: lit
    EXPECT_EQ(unanswered->GetEntryText(), "00000");
    EXPECT_EQ(later->GetEntryText(), "00000");
    EXPECT_EQ(slave.Requests(), (std::vector<ModbusSlave::Request>{{1, 0}}));

    // The stop clears the link state.
    Stop();
    EXPECT_FALSE(control.Shared().LinkTimeout);
    EXPECT_FALSE(control.DisplayFlags().linkTimedOut);
}

TEST_F(Simulation, AKeysExchangeThatIsNotAnsweredShowsTheLinkErrorToo)
{
    AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R10");
    BindCoilKey(KeyF1, 5, 9); // a station nobody answers
    Start();
    FinishPass();
    const std::size_t before = slave.Requests().size();

    // Clicked between two passes: the next one makes the key's exchange
    // first, and tries none of its own after it failed.
    control.Keypad().PressKey(KeyF1);
    NextPass();
    EXPECT_TRUE(control.Shared().LinkTimeout);
    EXPECT_EQ(slave.Requests().size(), before);
    EXPECT_FALSE(control.Keypad().ExchangesUnderWay());
    NextPass();
    EXPECT_FALSE(control.Shared().LinkTimeout);

    // Clicked while a pass waits for its last reply: made after the pass,
    // which found the link up, and shown all the same.
    slave.ReplyLate(300);
    control.OnTimer();
    AwaitRequests(before + 2);
    control.Keypad().PressKey(KeyF1);
    FinishPass();
    EXPECT_TRUE(control.Shared().LinkTimeout);
    EXPECT_EQ(slave.Requests().size(), before + 2);
    Stop();
}

TEST_F(Simulation, ADeferredKeyIsReplayedAlsoWhenTheLinkIsLost)
{
    AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R10");
    Start();
    FinishPass();
    slave.SetSilent(true);
    control.Shared().DeferredKey = 15; // ESC
    NextPass();
    EXPECT_TRUE(control.Shared().LinkTimeout);
    EXPECT_EQ(host.replayedKeys, std::vector<int>{15});
    slave.SetSilent(false);
    Stop();
}

TEST_F(Simulation, CorruptedOrShortRepliesAreDataErrorsAndDeliverNothing)
{
    auto reg = AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R10");
    slave.SetRegister(10, 1);
    Start();
    FinishPass();
    ASSERT_EQ(reg->GetEntryText(), "00001");

    slave.SetRegister(10, 2);
    slave.SetCorruptReplies(true);
    NextPass();
    EXPECT_TRUE(control.Shared().DataError);
    EXPECT_FALSE(control.Shared().LinkTimeout);
    EXPECT_EQ(reg->GetEntryText(), "00001");
    EXPECT_TRUE(control.DisplayFlags().dataError);

    slave.SetCorruptReplies(false);
    NextPass();
    EXPECT_FALSE(control.Shared().DataError);
    EXPECT_EQ(reg->GetEntryText(), "00002");
    Stop();
}

TEST_F(Simulation, ExceptionRepliesAreDataErrors)
{
    // Beyond the slave's table: it answers with an exception, a short frame
    // with a good CRC.
    auto beyond = AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R0");
    doc.AddressTable[1].elements[0].wordAddress = ModbusSlave::TableSize + 5;
    Start();
    FinishPass();
    EXPECT_TRUE(control.Shared().DataError);
    EXPECT_EQ(beyond->GetEntryText(), "00000");
    Stop();
}

TEST_F(Simulation, RisingAlarmOpensTheAlarmDisplay)
{
    UseAlarms({AlarmSegmentOf(doc.AddressTable[0], 21, {"Pump 1 hot", "Pump 2 hot", "Door open"})});
    ASSERT_EQ(doc.AlarmBlocks.size(), 1u);
    slave.SetCoil(20, true); // below the block: never an alarm

    Start();
    FinishPass();
    EXPECT_FALSE(control.Shared().AlarmDisplayOn);

    slave.SetCoil(22, true);
    NextPass();
    EXPECT_TRUE(control.Shared().AlarmDisplayOn);
    SimulatedDisplayFlags flags = control.DisplayFlags();
    EXPECT_TRUE(flags.alarmDisplay);
    EXPECT_EQ(flags.alarmTexts, std::vector<std::string>{"Pump 2 hot"});

    // A key pressed meanwhile waits for the end of the next pass.
    control.Shared().DeferredKey = 20;
    NextPass();
    EXPECT_EQ(host.replayedKeys, std::vector<int>{20});
    EXPECT_EQ(control.Shared().DeferredKey, -1);
    NextPass();
    EXPECT_EQ(host.replayedKeys.size(), 1u);

    // The stop clears the alarm state.
    Stop();
    EXPECT_FALSE(control.Shared().AlarmDisplayOn);
    control.Shared().WithAlarms([](AlarmState& alarms) {
        EXPECT_EQ(alarms.AlarmSnapshot[0], AlarmBits{});
        EXPECT_TRUE(alarms.ActiveAlarmLines.empty());
    });
}

TEST_F(Simulation, AlarmsOnAtTheStartRiseInTheFirstPassUnlessAMomentaryKeyIsHeld)
{
    // From bit 14 of register 300.
    UseAlarms({AlarmSegmentOf(doc.AddressTable[3], 14, {"Alarm 0", "Alarm 1", "Alarm 2", "Alarm 3"})});
    slave.SetRegister(301, 0x0002); // bit 1 of the second register: alarm 3

    control.Shared().MomentaryCoilState = 3;
    Start();
    FinishPass();
    EXPECT_FALSE(control.Shared().AlarmDisplayOn);
    Stop();

    control.Shared().MomentaryCoilState = 0;
    Start();
    FinishPass();
    EXPECT_TRUE(control.Shared().AlarmDisplayOn);
    EXPECT_EQ(control.DisplayFlags().alarmTexts, std::vector<std::string>{"Alarm 3"});
    Stop();
}

TEST_F(Simulation, AlarmStateIsKeptForEightBlocks)
{
    // Ten segments of one alarm each, on coils 0, 16, ... 144, all on.
    std::vector<AlarmSegment> segments;
    for (int k = 0; k < 10; ++k) {
        segments.push_back(AlarmSegmentOf(doc.AddressTable[0], 16 * k, {"Alarm " + std::to_string(k)}));
        slave.SetCoil(16 * k, true);
    }
    UseAlarms(segments);
    ASSERT_EQ(doc.AlarmBlocks.size(), 10u);

    Start();
    FinishPass();
    EXPECT_EQ(slave.RequestCount(), 8);
    EXPECT_TRUE(control.Shared().AlarmDisplayOn);
    const std::vector<std::string> texts = control.DisplayFlags().alarmTexts;
    ASSERT_EQ(texts.size(), 4u); // the last page of the eight alarms
    EXPECT_EQ(texts.front(), "Alarm 4");
    EXPECT_EQ(texts.back(), "Alarm 7");
    Stop();
}

TEST_F(Simulation, TwoSimulationsInOneProcessKeepApart)
{
    // A second editor's simulation on a second slave; its pass waits for a
    // late reply while the first one goes on.
    ModbusSlave otherSlave{Station};
    ComPortOverride otherPort{ComPort + 2, otherSlave.ClientPath()};
    CVX50TextDoc otherDoc;
    UseModbusSlave(otherDoc, ComPort + 2);
    // A slow line waits long for its replies: the late one still counts.
    otherDoc.Com1Port.baud = 110;
    auto otherReg = AddBound(otherDoc, 0, std::make_shared<CRegisterElement>(), "Reg", "R10");
    otherDoc.SetWorkingElements(otherDoc.Screens[0].Elements);
    ProtocolFunctionTable otherProtocol;
    QueuedSimulationHost otherHost;
    int otherSimulating = 0;
    SimulationControl other{otherDoc, otherProtocol, otherHost, otherSimulating};
    otherSlave.SetRegister(10, 2);
    otherSlave.ReplyLate(3000);
    other.OnSimulate();

    auto reg = AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R10");
    slave.SetRegister(10, 1);
    Start();
    FinishPass();
    slave.SetRegister(10, 3);
    NextPass();
    EXPECT_EQ(reg->GetEntryText(), "00003");
    EXPECT_TRUE(other.PassRunning());
    EXPECT_EQ(otherReg->GetEntryText(), "00000");
    Stop();

    while (other.PassRunning())
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(otherReg->GetEntryText(), "00002");
    other.OnSimulate();
    other.OnTimer();
    EXPECT_EQ(otherSimulating, 0);
}

TEST_F(Simulation, StopWaitsForThePassWithoutBlocking)
{
    AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R10");
    Start();
    FinishPass();
    slave.ReplyLate(400);
    control.OnTimer(); // a pass that waits for the late reply
    std::this_thread::sleep_for(50ms);
    ASSERT_TRUE(control.PassRunning());

    // Pressing the command twice requests one stop; no tick waits for the pass.
    control.OnSimulate();
    control.OnSimulate();
    EXPECT_FALSE(control.IsRequested());
    const auto before = Clock::now();
    control.OnTimer();
    control.OnTimer();
    EXPECT_LT(Clock::now() - before, 200ms);
    EXPECT_EQ(simulating, 1);
    EXPECT_TRUE(control.Port().IsOpen());

    FinishPass();
    control.OnTimer();
    EXPECT_EQ(simulating, 0);
    EXPECT_FALSE(control.Port().IsOpen());
    EXPECT_FALSE(host.simulationLayout);
    EXPECT_EQ(host.timerMs, 0);
}

TEST_F(Simulation, SwitchToAScreenWithMissingAddressesStops)
{
    doc.Panel.AutoScreenSwitch = 1;
    doc.Panel.ControlGroupName = "Reg";
    doc.Panel.ControlElementName = "R20";
    AddBound(doc, 1, std::make_shared<CLampElement>(), "Coil", "missing");
    slave.SetRegister(20, 1);
    Start();
    FinishPass();
    slave.SetRegister(20, 2);
    NextPass();
    EXPECT_FALSE(control.IsRequested());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].stringId, IdsControlElementAddressMissing);
    control.OnTimer();
    EXPECT_EQ(simulating, 0);
    EXPECT_EQ(doc.CurrentScreenNumber, 1);
}

TEST_F(Simulation, AKeyPressedDuringAPassIsMadeBetweenTwoOfItsExchanges)
{
    AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R10");
    AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R100");
    BindCoilKey(KeyF1, 5);
    Start();
    FinishPass();
    const std::size_t before = slave.Requests().size();

    // The next pass waits for its first reply while F1 is clicked.
    slave.ReplyLate(400);
    control.OnTimer();
    AwaitRequests(before + 1);
    control.Keypad().PressKey(KeyF1);
    control.Keypad().ReleaseKey();
    // The click returned with the key's exchange queued, not made.
    EXPECT_TRUE(control.Keypad().ExchangesUnderWay());
    FinishPass();
    EXPECT_FALSE(control.Keypad().ExchangesUnderWay());
    EXPECT_TRUE(slave.Coil(5));
    const std::vector<ModbusSlave::Request> pass{{3, 10}, {5, 5}, {3, 100}};
    EXPECT_EQ(RequestsFrom(before), pass);
    Stop();
}

TEST_F(Simulation, TheStopWaitsForAKeysExchangeAndItsOutcome)
{
    AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R10");
    BindCoilKey(KeyF1, 5);
    Start();
    FinishPass();
    const std::size_t before = slave.Requests().size();

    // Clicked between two passes, with a slow reply; then the stop.
    slave.ReplyLate(400);
    control.Keypad().PressKey(KeyF1);
    control.Keypad().ReleaseKey();
    control.OnSimulate();
    // A worker makes the key's exchange, and no pass; the stop waits for it
    // and then for its outcome.
    control.OnTimer();
    ASSERT_TRUE(control.PassRunning());
    control.OnTimer();
    while (control.PassRunning())
        std::this_thread::sleep_for(1ms);
    control.OnTimer();
    EXPECT_EQ(simulating, 1);
    EXPECT_TRUE(control.Port().IsOpen());
    host.RunPosted();
    EXPECT_FALSE(control.Keypad().ExchangesUnderWay());
    control.OnTimer();
    EXPECT_EQ(simulating, 0);
    EXPECT_FALSE(control.Port().IsOpen());
    EXPECT_TRUE(slave.Coil(5));
    EXPECT_EQ(RequestsFrom(before), (std::vector<ModbusSlave::Request>{{5, 5}}));
}

// The editor as a failed start must leave it.
class FailedStart : public Simulation {
protected:
    void ExpectEditorAsBefore(int message)
    {
        EXPECT_EQ(simulating, 0);
        EXPECT_FALSE(control.IsRequested());
        EXPECT_FALSE(control.PassRunning());
        EXPECT_FALSE(host.simulationLayout);
        EXPECT_EQ(host.timerMs, 0);
        EXPECT_FALSE(control.Port().IsOpen());
        EXPECT_EQ(doc.CurrentScreenNumber, 1);
        const ElementList& working = doc.GetWorkingElements();
        ASSERT_EQ(working.size(), doc.Screens[0].Elements.size());
        EXPECT_EQ(working[0].element, lamp);
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().stringId, message);
    }

    std::shared_ptr<CLampElement> lamp = AddBound(doc, 0, std::make_shared<CLampElement>(), "Coil", "C1");
};

TEST_F(FailedStart, ProtocolLibraryMissing)
{
    doc.ProtocolLibraryName = "Missing.dll";
    Start();
    ExpectEditorAsBefore(IdsDllFault);
}

TEST_F(FailedStart, PortDoesNotOpen)
{
    doc.ProjectComPort = ComPort + 1;
    ComPortOverride missing{ComPort + 1, "/dev/no-such-port"};
    Start();
    ExpectEditorAsBefore(0);
    EXPECT_EQ(Utf8FromGbk(ui.messages.back().gbkText), "通信口打开失败!\n找不到设备 /dev/no-such-port。");
}

TEST_F(FailedStart, MainScreenMissingOrAnAddressNotInTheTable)
{
    doc.Panel.MainScreen = 5;
    Start();
    ExpectEditorAsBefore(IdsControlElementAddressMissing);

    // The main screen's element names an address the table lacks: its own
    // message points at it first.
    doc.Panel.MainScreen = 2;
    AddBound(doc, 1, std::make_shared<CRegisterElement>(), "Reg", "missing");
    Start();
    ExpectEditorAsBefore(IdsControlElementAddressMissing);
    EXPECT_EQ(ui.messages.size(), 3u);
}

TEST_F(FailedStart, TooManyCurvePointsOnOneScreen)
{
    for (const auto& [screen, points] : {std::pair(0, 300), {1, 200}}) {
        auto curve = AddBound(doc, screen, std::make_shared<CGraphElement>(1), "Reg", "R40");
        curve->DataPoints = points;
    }
    Start();
    EXPECT_EQ(simulating, 1);
    Stop();

    auto more = AddBound(doc, 1, std::make_shared<CGraphElement>(1), "Reg", "R41");
    more->DataPoints = 185;
    Start();
    ExpectEditorAsBefore(IdsCurvePointsOver384);
}

// The worker threads of a simulation: the first `failures` cannot be made;
// `made` counts those that were, `ended` those that have ended. Kept apart
// from the simulation, whose threads may outlive it.
struct WorkerThreads {
    int failures = 0;
    int made = 0;
    std::atomic<int> ended{0};
};

class CountedThreads : public SimulationControl {
public:
    CountedThreads(CVX50TextDoc& doc, ProtocolFunctionTable& protocol, SimulationHost& host, int& simulating,
        WorkerThreads& threads)
        : SimulationControl(doc, protocol, host, simulating)
        , m_threads(threads)
    {
    }

protected:
    std::thread StartWorkerThread(std::function<void()> body) override
    {
        if (m_threads.failures > 0) {
            --m_threads.failures;
            throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        }
        ++m_threads.made;
        return SimulationControl::StartWorkerThread([&ended = m_threads.ended, body = std::move(body)] {
            body();
            ++ended;
        });
    }

private:
    WorkerThreads& m_threads;
};

TEST_F(Simulation, OneWorkerThreadRunsEveryPassAndEndsWithTheStop)
{
    auto reg = AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R10");
    WorkerThreads threads;
    int countedSimulating = 0;
    CountedThreads counted(doc, protocol, host, countedSimulating, threads);
    for (int run = 1; run <= 2; ++run) {
        doc.SetWorkingElements(doc.Screens[0].Elements);
        counted.OnSimulate();
        FinishPass(counted);
        for (int pass = 1; pass <= 3; ++pass) {
            slave.SetRegister(10, static_cast<std::uint16_t>(100 * run + pass));
            counted.OnTimer();
            FinishPass(counted);
            EXPECT_EQ(reg->GetEntryText(), "00" + std::to_string(100 * run + pass));
        }
        EXPECT_EQ(threads.made, run);
        EXPECT_EQ(threads.ended, run - 1);

        // The stop ends the thread, which waits for no pass then.
        counted.OnSimulate();
        FinishPass(counted);
        counted.OnTimer();
        EXPECT_EQ(countedSimulating, 0);
        EXPECT_EQ(threads.ended, run);
    }
}

TEST_F(Simulation, WorkerThatCouldNotBeMadeIsMadeAgainAndTheStopNeedsNone)
{
    auto reg = AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R10");
    slave.SetRegister(10, 321);
    WorkerThreads threads;
    int flakySimulating = 0;
    CountedThreads flaky(doc, protocol, host, flakySimulating, threads);
    threads.failures = 2;
    doc.SetWorkingElements(doc.Screens[0].Elements);
    flaky.OnSimulate();
    ASSERT_EQ(flakySimulating, 1);
    EXPECT_FALSE(flaky.PassRunning());
    flaky.OnTimer();
    EXPECT_FALSE(flaky.PassRunning());
    // The pass it starts may be over already: the worker made is what counts.
    flaky.OnTimer();
    ASSERT_EQ(threads.made, 1);
    FinishPass(flaky);
    EXPECT_EQ(reg->GetEntryText(), "00321");
    flaky.OnSimulate();
    flaky.OnTimer();
    ASSERT_EQ(flakySimulating, 0);

    // No worker at all: the stop still completes.
    threads.failures = 3;
    flaky.OnSimulate();
    ASSERT_EQ(flakySimulating, 1);
    flaky.OnTimer();
    flaky.OnSimulate();
    flaky.OnTimer();
    EXPECT_EQ(flakySimulating, 0);
    EXPECT_EQ(threads.made, 1);
    EXPECT_FALSE(flaky.Port().IsOpen());
}

TEST_F(Simulation, DestroyedDuringAPassNeitherHangsNorCrashes)
{
    AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R10");
    BindCoilKey(KeyF1, 5);
    auto early = std::make_unique<SimulationControl>(doc, protocol, host, simulating);
    doc.SetWorkingElements(doc.Screens[0].Elements);
    slave.ReplyLate(300);
    early->OnSimulate();
    ASSERT_TRUE(early->PassRunning());
    // A key waits for the pass's exchange.
    early->Keypad().PressKey(KeyF1);
    // It waits for the exchange under way and the key's, no longer; the
    // key's outcome is never taken.
    const auto before = Clock::now();
    early.reset();
    EXPECT_LT(Clock::now() - before, 3s);
    EXPECT_TRUE(slave.Coil(5));
}

} // namespace
