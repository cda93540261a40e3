// The simulated keypad against a libmodbus RTU slave on a pseudo-terminal,
// through the program folder's Modbus protocol library: the key executor's
// coil, register, step and jump functions, momentary keys, the link down,
// the password prompt, the panel's own screen keys, the alarm display and
// value entry on settable registers.

#include "StringIds.h"
#include "model/AlarmBlocks.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/PanelKeys.h"
#include "modbusslave/ModbusSlave.h"
#include "simulator/CoilAction.h"
#include "simulator/SimulatedDisplayState.h"
#include "simulator/SimulatedKeypad.h"
#include "simulator/SimulationPort.h"
#include "simulator/SimulationShared.h"
#include "support/AlarmFixtures.h"
#include "support/QueuedSimulationHost.h"
#include "support/RecordingUserInterface.h"
#include "support/SimulationProject.h"
#include "transfer/ProtocolFunctionTable.h"
#include "transfer/ProtocolLibrary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <utility>

namespace {

constexpr int Station = 1;
constexpr int ComPort = 7;

// The slave's "Bits" group: B<n> is bit n mod 16 of register 300 + n / 16.
constexpr int BitsWord = 302;
constexpr int BitInWord = 5;
const char* const BitName = "B37"; // 2 * 16 + 5

std::shared_ptr<CFuncKeyElement> FunctionKey(int key, int action)
{
    auto element = std::make_shared<CFuncKeyElement>();
    element->SetKey(key);
    element->SetAction(action);
    return element;
}

GlobalButton Button(int key, int function, const char* group, const char* name)
{
    GlobalButton button;
    button.KeyCode = GlobalKeyCode(key);
    button.Function = static_cast<std::uint8_t>(function << 2);
    button.GroupName = group;
    button.ElementName = name;
    return button;
}

class Keypad : public ::testing::Test {
protected:
    Keypad()
    {
        UseModbusSlave(doc, ComPort);
        for (int number : {2, 3}) {
            ScreenRecord screen;
            screen.Number = number;
            doc.Screens.push_back(screen);
        }
        doc.Screens[0].UpKeyScreen = 2;
        doc.Screens[0].DownKeyScreen = 3;
        doc.Panel.MainScreen = 1;
        EXPECT_TRUE(LoadProtocolLibrary(doc.ProtocolLibraryName, ProtocolUse::CompileOrSimulate, protocol));
        EXPECT_TRUE(port.Serial().InitComm(QString::fromStdString(slave.ClientPath()), 115200, 8, 0, 1.0f, 2048,
            2048));
        shared.SimulationRequested = true;
        keypad.SetBeeper([this] { ++beeps; });
    }

    // A function key on screen 1 bound to `name` of `group`.
    std::shared_ptr<CFuncKeyElement> Bind(int key, int action, const char* group, const char* name)
    {
        return AddBound(doc, 0, FunctionKey(key, action), group, name, Station);
    }
    std::shared_ptr<CFuncKeyElement> BindCoil(int key, int coilAction, const char* group, const char* name)
    {
        auto element = Bind(key, CFuncKeyElement::SetCoil, group, name);
        element->SetCoilOperation(coilAction);
        return element;
    }
    std::shared_ptr<CRegisterElement> Settable(const char* name, int screenIndex = 0)
    {
        auto reg = AddBound(doc, screenIndex, std::make_shared<CRegisterElement>(), "Reg", name, Station);
        reg->SetSettable(1);
        return reg;
    }

    // A worker makes the exchanges the keys queued and the test's thread
    // takes their outcomes, which may queue more, until no key's exchange is
    // under way and no key waits.
    void Settle()
    {
        for (int round = 0; keypad.ExchangesUnderWay(); ++round) {
            ASSERT_LT(round, 20) << "a key's exchange never came back";
            std::thread worker([this] { port.RunQueuedExchanges(); });
            worker.join();
            host.RunPosted();
        }
    }
    // A click on the key: its press and its release, and their exchanges.
    void Click(int key)
    {
        keypad.PressKey(key);
        keypad.ReleaseKey();
        Settle();
    }
    void Type(const std::string& digits)
    {
        for (char c : digits)
            Click(KeyDigit0 + (c - '0'));
    }
    bool Coil(int address) { return slave.Coils()[address] != 0; }
    void UseAlarms(const std::vector<AlarmSegment>& segments)
    {
        doc.AlarmSegments = segments;
        doc.AlarmBlocks = BuildAlarmBlocks(doc.AlarmSegments, doc.AddressTable);
    }
    int Messages(int id) const
    {
        return static_cast<int>(std::count_if(ui.messages.begin(), ui.messages.end(),
            [id](const RecordingUserInterface::Message& m) { return m.stringId == id; }));
    }

    ModbusSlave slave{Station};
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    ProtocolFunctionTable protocol;
    SimulationShared shared;
    SimulationPort port;
    QueuedSimulationHost host;
    SimulatedKeypad keypad{doc, protocol, port, shared, host};
    int beeps = 0;
};

} // namespace

// ---------------------------------------------------------------- coils

TEST_F(Keypad, CoilKeysSetResetAndToggleTheirCoil)
{
    BindCoil(KeyF1, CoilOn, "Coil", "C37");
    BindCoil(KeyF1 + 1, CoilOff, "Coil", "C37");
    BindCoil(KeyF1 + 2, CoilToggle, "Coil", "C37");
    // The toggle reads the 16 coils from 32; its neighbours differ from it.
    slave.SetCoil(36, true);
    slave.SetCoil(38, true);

    Click(KeyF1);
    EXPECT_TRUE(Coil(37));
    Click(KeyF1 + 1);
    EXPECT_FALSE(Coil(37));
    Click(KeyF1 + 2);
    EXPECT_TRUE(Coil(37));
    Click(KeyF1 + 2);
    EXPECT_FALSE(Coil(37));
    EXPECT_TRUE(Coil(36));
    EXPECT_TRUE(Coil(38));
    EXPECT_EQ(beeps, 4);
}

TEST_F(Keypad, WordBitKeysChangeOnlyTheirBit)
{
    BindCoil(KeyF1, CoilOn, "Bits", BitName);
    BindCoil(KeyF1 + 1, CoilOff, "Bits", BitName);
    BindCoil(KeyF1 + 2, CoilToggle, "Bits", BitName);
    BindCoil(KeyF1 + 3, CoilMomentaryOn, "Bits", BitName);
    const std::uint16_t others = 0xA50A;
    slave.SetRegister(BitsWord, others);
    const std::uint16_t withBit = others | (1u << BitInWord);

    Click(KeyF1);
    EXPECT_EQ(slave.Register(BitsWord), withBit);
    Click(KeyF1 + 1);
    EXPECT_EQ(slave.Register(BitsWord), others);
    Click(KeyF1 + 2);
    EXPECT_EQ(slave.Register(BitsWord), withBit);
    Click(KeyF1 + 2);
    EXPECT_EQ(slave.Register(BitsWord), others);

    keypad.PressKey(KeyF1 + 3);
    Settle();
    EXPECT_EQ(slave.Register(BitsWord), withBit);
    slave.SetRegister(BitsWord - 1, 0x1234); // the release writes its own word only
    keypad.ReleaseKey();
    Settle();
    EXPECT_EQ(slave.Register(BitsWord), others);
    EXPECT_EQ(slave.Register(BitsWord - 1), 0x1234);
}

TEST_F(Keypad, MomentaryKeysHoldTheirCoilUntilTheRelease)
{
    BindCoil(KeyF1, CoilMomentaryOn, "Coil", "C5");
    BindCoil(KeyF1 + 1, CoilMomentaryOff, "Coil", "C6");
    slave.SetCoil(6, true);

    keypad.PressKey(KeyF1);
    Settle();
    EXPECT_TRUE(Coil(5));
    EXPECT_EQ(shared.MomentaryCoilState, 3);
    keypad.ReleaseKey();
    Settle();
    EXPECT_FALSE(Coil(5));
    // Released: alarms may rise again.
    EXPECT_EQ(shared.MomentaryCoilState, 0);

    keypad.PressKey(KeyF1 + 1);
    Settle();
    EXPECT_FALSE(Coil(6));
    EXPECT_EQ(shared.MomentaryCoilState, 4);
    keypad.ReleaseKey();
    Settle();
    EXPECT_TRUE(Coil(6));
    EXPECT_EQ(shared.MomentaryCoilState, 0);
    // A second release writes nothing.
    slave.SetCoil(6, false);
    keypad.ReleaseKey();
    Settle();
    EXPECT_FALSE(Coil(6));
}

TEST_F(Keypad, AMomentaryPressTheDeviceRefusesLeavesNothingToRelease)
{
    // A coil past the slave's table: the slave answers with an exception.
    doc.AddressTable[0].elements.push_back({"C1280", 0x500, 0});
    BindCoil(KeyF1, CoilMomentaryOn, "Coil", "C1280");
    const int before = slave.RequestCount();
    keypad.PressKey(KeyF1);
    Settle();
    EXPECT_EQ(slave.RequestCount(), before + 1);
    EXPECT_EQ(shared.MomentaryCoilState, 0);
    keypad.ReleaseKey();
    Settle();
    EXPECT_EQ(slave.RequestCount(), before + 1);
}

TEST_F(Keypad, KeysPressedWhileAnExchangeIsUnderWayWaitTheirTurn)
{
    BindCoil(KeyF1, CoilOn, "Coil", "C7");
    BindCoil(KeyF1 + 1, CoilOff, "Coil", "C7");
    // A momentary press that the device refuses (past the slave's table).
    doc.AddressTable[0].elements.push_back({"C1280", 0x500, 0});
    BindCoil(KeyF1 + 2, CoilMomentaryOn, "Coil", "C1280");

    // Three quick clicks: the second and third wait for the first's
    // exchange, the third's release for its press.
    for (int key : {static_cast<int>(KeyF1), KeyF1 + 1, KeyF1 + 2}) {
        keypad.PressKey(key);
        keypad.ReleaseKey();
    }
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(keypad.ExchangesUnderWay());
    Settle();
    EXPECT_EQ(beeps, 3);
    EXPECT_FALSE(Coil(7));
    // The refused press leaves nothing to release.
    EXPECT_EQ(shared.MomentaryCoilState, 0);
    EXPECT_EQ(slave.Requests(), (std::vector<ModbusSlave::Request>{{5, 7}, {5, 7}, {5, 0x500}}));
}

TEST_F(Keypad, MomentaryOffReleasedInsideAnAlarmBlockOpensTheAlarmDisplay)
{
    const ElementGroup& coils = doc.AddressTable[0];
    UseAlarms({AlarmSegmentOf(coils, 40, AlarmTexts(4))});
    BindCoil(KeyF1, CoilMomentaryOff, "Coil", "C44"); // the block's start + its count
    BindCoil(KeyF1 + 1, CoilMomentaryOff, "Coil", "C45");

    Click(KeyF1 + 1);
    EXPECT_FALSE(shared.AlarmDisplayOn);
    Click(KeyF1);
    EXPECT_TRUE(shared.AlarmDisplayOn);
}

// ---------------------------------------------------------------- registers

TEST_F(Keypad, SetRegisterWritesSixteenAndThirtyTwoBitsInTheDevicesWordOrder)
{
    auto narrow = Bind(KeyF1, CFuncKeyElement::SetRegister, "Reg", "R20");
    narrow->WordSize = 16;
    narrow->SetValue = 0x1234;
    auto wide = Bind(KeyF1 + 1, CFuncKeyElement::SetRegister, "Reg32", "D400");
    wide->WordSize = 32; // one 32-bit register: two words
    wide->SetValue = 0x12345678;
    auto pair = Bind(KeyF1 + 2, CFuncKeyElement::SetRegister, "Reg", "R30");
    pair->WordSize = 16;
    pair->RegisterCount = 2;
    pair->SetValue = static_cast<int>(0x9ABCDEF0);

    Click(KeyF1);
    EXPECT_EQ(slave.Register(20), 0x1234);
    EXPECT_EQ(slave.Register(21), 0);
    using Words = std::pair<int, int>;
    const auto words = [this](int address) { return Words(slave.Register(address), slave.Register(address + 1)); };
    for (int highFront : {1, 0}) {
        SCOPED_TRACE(highFront);
        doc.HighFront = highFront;
        Click(KeyF1 + 1);
        Click(KeyF1 + 2);
        EXPECT_EQ(words(400), highFront ? Words(0x1234, 0x5678) : Words(0x5678, 0x1234));
        EXPECT_EQ(words(30), highFront ? Words(0x9ABC, 0xDEF0) : Words(0xDEF0, 0x9ABC));
    }
}

TEST_F(Keypad, IncrementAndDecrementStopAtTheirLimit)
{
    auto up = Bind(KeyF1, CFuncKeyElement::Increment, "Reg", "R40");
    up->WordSize = 16;
    up->SetDataFormat(1);
    up->StepValue = 3;
    up->Limit = 10;
    auto down = Bind(KeyF1 + 1, CFuncKeyElement::Decrement, "Reg", "R40");
    down->WordSize = 16;
    down->SetDataFormat(2);
    down->StepValue = 4;
    down->Limit = -5;
    slave.SetRegister(40, 4);

    std::vector<int> seen;
    for (int i = 0; i < 3; ++i) {
        Click(KeyF1);
        seen.push_back(slave.Register(40));
    }
    EXPECT_EQ(seen, (std::vector<int>{7, 10, 10}));
    seen.clear();
    for (int i = 0; i < 5; ++i) {
        Click(KeyF1 + 1);
        seen.push_back(static_cast<std::int16_t>(slave.Register(40)));
    }
    EXPECT_EQ(seen, (std::vector<int>{6, 2, -2, -2, -2}));
}

TEST_F(Keypad, ThirtyTwoBitIncrementReadsAndWritesInTheDevicesWordOrder)
{
    doc.HighFront = 0;
    auto up = Bind(KeyF1, CFuncKeyElement::Increment, "Reg32", "D410");
    up->WordSize = 32;
    up->SetDataFormat(1);
    up->StepValue = 1;
    up->Limit = static_cast<int>(0x00020000);
    slave.SetRegister(410, 0xFFFF); // low word first: 0x0001FFFF
    slave.SetRegister(411, 0x0001);

    Click(KeyF1);
    EXPECT_EQ(slave.Register(410), 0x0000);
    EXPECT_EQ(slave.Register(411), 0x0002);
    Click(KeyF1);
    EXPECT_EQ(slave.Register(410), 0x0000);
    EXPECT_EQ(slave.Register(411), 0x0002);
}

// ---------------------------------------------------------------- binding

TEST_F(Keypad, TheScreensFunctionKeyBeatsTheGlobalButtonOnItsKey)
{
    BindCoil(KeyF1, CoilOn, "Coil", "C1");
    doc.GlobalButtons.push_back(Button(KeyF1, 1, "Coil", "C2"));
    doc.GlobalButtons.push_back(Button(KeyF1 + 1, 1, "Coil", "C3"));

    Click(KeyF1);
    Click(KeyF1 + 1);
    EXPECT_TRUE(Coil(1));
    EXPECT_FALSE(Coil(2));
    EXPECT_TRUE(Coil(3));
}

TEST_F(Keypad, WhileTheAlarmDisplayShowsOnlyGlobalButtonsActAndCloseIt)
{
    BindCoil(KeyF1, CoilOn, "Coil", "C1");
    doc.GlobalButtons.push_back(Button(KeyF1 + 1, 1, "Coil", "C2"));
    shared.AlarmDisplayOn = true;

    EXPECT_FALSE(keypad.ExecuteKey(KeyF1));
    EXPECT_FALSE(Coil(1));
    EXPECT_TRUE(keypad.ExecuteKey(KeyF1 + 1));
    Settle();
    EXPECT_TRUE(Coil(2));
    EXPECT_FALSE(shared.AlarmDisplayOn);
}

TEST_F(Keypad, BoundKeysAreTakenWhileTheLinkIsDown)
{
    BindCoil(KeyF1, CoilOn, "Coil", "C1");
    BindCoil(KeyEsc, CoilOn, "Coil", "C2");
    BindCoil(KeyUp, CoilOn, "Coil", "C3");
    doc.Screens[0].UpKeyScreen = 2;
    doc.Panel.MainScreen = 3;
    shared.LinkTimeout = true;
    const int before = slave.RequestCount();

    for (int key : {KeyF1, KeyEsc, KeyUp})
        Click(key);
    EXPECT_EQ(slave.RequestCount(), before);
    EXPECT_FALSE(Coil(1));
    // Neither the main screen nor the Up link: the keys are bound.
    EXPECT_EQ(doc.CurrentScreenNumber, 1);

    shared.LinkTimeout = false;
    Click(KeyF1);
    EXPECT_TRUE(Coil(1));
}

TEST_F(Keypad, AFailedExchangeStillTakesTheKey)
{
    BindCoil(KeyUp, CoilOn, "Coil", "C3");
    slave.SetSilent(true);
    EXPECT_TRUE(keypad.ExecuteKey(KeyUp));
    Click(KeyUp);
    EXPECT_EQ(doc.CurrentScreenNumber, 1);
}

TEST_F(Keypad, AJumpShowsItsScreen)
{
    auto jump = Bind(KeyF1, CFuncKeyElement::ScreenJump, "Reg", "R0");
    jump->TargetScreen = 3;
    Click(KeyF1);
    EXPECT_EQ(doc.CurrentScreenNumber, 3);
    EXPECT_EQ(shared.DisplayedScreen, 3);
}

// ---------------------------------------------------------------- screens

TEST_F(Keypad, UpAndDownShowTheLinkedScreensAndEscTheMainScreen)
{
    auto reg = AddBound(doc, 1, std::make_shared<CRegisterElement>(), "Reg", "R12", Station);
    Click(KeyUp);
    EXPECT_EQ(doc.CurrentScreenNumber, 2);
    EXPECT_EQ(shared.DisplayedScreen, 2);
    ASSERT_EQ(doc.GetWorkingElements().size(), 1u);
    EXPECT_EQ(doc.GetWorkingElements()[0].element, reg);
    // The new screen's register is polled.
    const std::vector<PollGroup> plan = shared.CopyPollPlan();
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].startAddress, 12);

    Click(KeyEsc);
    EXPECT_EQ(doc.CurrentScreenNumber, 1);
    Click(KeyDown);
    EXPECT_EQ(doc.CurrentScreenNumber, 3);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Keypad, AMissingLinkStopsTheSimulationWithItsMessage)
{
    doc.Screens[0].UpKeyScreen = 9;
    Click(KeyUp);
    EXPECT_EQ(Messages(IdsControlElementAddressMissing), 1);
    EXPECT_FALSE(shared.SimulationRequested);
    EXPECT_EQ(doc.CurrentScreenNumber, 1);
}

TEST_F(Keypad, AScreenWhoseAddressesFailStopsWithoutGoingToTheElement)
{
    AddBound(doc, 1, std::make_shared<CRegisterElement>(), "Reg", "NoSuchName", Station);
    Click(KeyUp);
    EXPECT_EQ(Messages(IdsControlElementAddressMissing), 1);
    EXPECT_FALSE(shared.SimulationRequested);
    EXPECT_EQ(std::count_if(ui.calls.begin(), ui.calls.end(),
                  [](const std::string& call) { return call.starts_with("GoToElement"); }),
        0);
}

// ---------------------------------------------------------------- password

TEST_F(Keypad, APromptResumesTheFunctionKeyOnceItsLevelIsGranted)
{
    doc.PasswordTable = {{0, 1, "1111"}, {1, 2, "2222"}};
    auto key = BindCoil(KeyF1, CoilOn, "Coil", "C9");
    key->SetPasswordProtected(1);
    key->PasswordLevel = 1; // middle

    Click(KeyF1);
    EXPECT_EQ(keypad.PasswordEntryMode, 1);
    Type("11111"); // the fifth digit is ignored
    EXPECT_EQ(keypad.PasswordDigits, 4);
    Click(KeyEnt);
    EXPECT_EQ(keypad.GrantedLevel, 1);
    EXPECT_EQ(keypad.PasswordEntryMode, 1); // too low: the prompt stays
    EXPECT_FALSE(Coil(9));
    for (int i = 0; i < 5; ++i)
        Click(KeyClr);
    EXPECT_EQ(keypad.PasswordDigits, 0);
    Type("2222");
    Click(KeyEnt);
    EXPECT_EQ(keypad.PasswordEntryMode, 0);
    EXPECT_TRUE(Coil(9));

    // The level lasts until the screen changes.
    slave.SetCoil(9, false);
    Click(KeyF1);
    EXPECT_TRUE(Coil(9));
    Click(KeyUp);
    Click(KeyEsc);
    EXPECT_EQ(keypad.GrantedLevel, 0);
}

TEST_F(Keypad, APromptDuringValueEntryResumesTheKeyThatAskedAndKeepsTheEntry)
{
    doc.PasswordTable = {{0, 3, "4321"}};
    auto reg = Settable("R50");
    auto key = BindCoil(KeyF1, CoilOn, "Coil", "C8");
    key->SetPasswordProtected(1);

    Click(KeySet);
    EXPECT_EQ(reg->Typing, 1);
    Click(KeyF1);
    EXPECT_EQ(keypad.PasswordEntryMode, 1);
    Type("4321");
    Click(KeyEnt);
    EXPECT_TRUE(Coil(8));
    EXPECT_EQ(keypad.PasswordEntryMode, 0);
    EXPECT_EQ(keypad.ValueEntryMode, 1);
    EXPECT_EQ(reg->Typing, 1);
}

TEST_F(Keypad, APromptResumesThePendingGlobalButton)
{
    doc.PasswordTable = {{0, 1, "0007"}};
    GlobalButton button = Button(KeyDigit0 + 5, 1, "Coil", "C11");
    button.Flags = GlobalButton::ProtectedFlag;
    button.UserLevel = 0;
    doc.GlobalButtons.push_back(button);

    Click(KeyDigit0 + 5);
    EXPECT_EQ(keypad.PasswordEntryMode, 1);
    EXPECT_EQ(keypad.PendingGlobalButton, button);
    Type("0007");
    Click(KeyEnt);
    EXPECT_TRUE(Coil(11));
    EXPECT_EQ(keypad.PasswordEntryMode, 0);
}

TEST_F(Keypad, AWrongPasswordChangesNothingAndEscEndsThePrompt)
{
    doc.PasswordTable = {{0, 1, "1234"}};
    auto key = BindCoil(KeyF1, CoilOn, "Coil", "C9");
    key->SetPasswordProtected(1);
    Click(KeyF1);
    Type("9999");
    Click(KeyEnt);
    EXPECT_EQ(keypad.PasswordEntryMode, 1);
    EXPECT_EQ(keypad.GrantedLevel, 0);
    Click(KeyAlm); // nothing at all at the prompt
    EXPECT_EQ(keypad.PasswordEntryMode, 1);
    Click(KeyEsc);
    EXPECT_EQ(keypad.PasswordEntryMode, 0);
    EXPECT_FALSE(Coil(9));
}

TEST_F(Keypad, AProtectedEscWithoutTheLevelGoesToTheMainScreen)
{
    doc.PasswordTable = {{0, 1, "1234"}};
    doc.CurrentScreenNumber = 2;
    AddBound(doc, 1, FunctionKey(KeyEsc, CFuncKeyElement::SetCoil), "Coil", "C9", Station)
        ->SetPasswordProtected(1);

    Click(KeyEsc);
    EXPECT_EQ(keypad.EscFunctionFound, 0);
    EXPECT_EQ(doc.CurrentScreenNumber, 1);
    // The switch also ended the prompt the ESC function started.
    EXPECT_EQ(keypad.PasswordEntryMode, 0);
}

// ---------------------------------------------------------------- alarms

TEST_F(Keypad, APressDuringTheAlarmDisplayWaitsForThePass)
{
    GlobalButton momentary = Button(KeyF1 + 2, 1, "Coil", "C6");
    momentary.Function |= CoilMomentaryOn << 5;
    doc.GlobalButtons.push_back(momentary);
    shared.AlarmDisplayOn = true;

    keypad.PressKey(KeyF1 + 2);
    EXPECT_EQ(shared.DeferredKey, PanelKey(KeyF1 + 2)->deferredCode);
    EXPECT_EQ(beeps, 0);
    EXPECT_FALSE(Coil(6));
    keypad.ReleaseKey();
    const int requests = slave.RequestCount();

    // The replay presses the momentary button and lets it go at once.
    keypad.ReplayDeferredKey(shared.DeferredKey);
    Settle();
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(shared.AlarmDisplayOn);
    EXPECT_FALSE(Coil(6));
    EXPECT_EQ(shared.MomentaryCoilState, 0);
    EXPECT_EQ(slave.RequestCount(), requests + 2);
}

TEST_F(Keypad, AlmOpensTheAlarmDisplayArrowsScrollItEscClosesIt)
{
    Click(KeyAlm);
    EXPECT_FALSE(shared.AlarmDisplayOn); // no alarm blocks
    UseAlarms({AlarmSegmentOf(doc.AddressTable[0], 40, AlarmTexts(4))});
    Click(KeyAlm);
    ASSERT_TRUE(shared.AlarmDisplayOn);
    shared.WithAlarms([](AlarmState& alarms) { alarms.ActiveAlarmLines.resize(10); });

    const auto firstLine = [this] { return shared.WithAlarms([](AlarmState& a) { return a.AlarmFirstLine; }); };
    std::vector<int> lines;
    for (int key : {KeyDown, KeyDown, KeyDown, KeyUp, KeyUp, KeyUp}) {
        keypad.OnKeyCommand(key);
        lines.push_back(firstLine());
    }
    EXPECT_EQ(lines, (std::vector<int>{4, 8, 8, 4, 0, 0}));
    keypad.OnKeyCommand(KeyEsc);
    EXPECT_FALSE(shared.AlarmDisplayOn);
}

// ---------------------------------------------------------------- value entry

TEST_F(Keypad, SetAndEntWalkThroughTheSettableRegisters)
{
    auto a = Settable("R60");
    AddBound(doc, 0, std::make_shared<CRegisterElement>(), "Reg", "R61", Station); // not settable
    auto b = Settable("R62");
    auto c = Settable("R63");

    Click(KeySet);
    EXPECT_EQ(keypad.EntryRegister.lock(), a);
    Type("123");
    EXPECT_EQ(a->GetEntryText(), "00123");
    Click(KeyEnt);
    EXPECT_EQ(slave.Register(60), 123);
    EXPECT_EQ(a->Typing, 0);
    EXPECT_EQ(keypad.EntryRegister.lock(), b);
    EXPECT_EQ(b->Typing, 1);
    Click(KeyClr);
    Type("456");
    Click(KeyEnt);
    EXPECT_EQ(slave.Register(62), 456);
    EXPECT_EQ(keypad.EntryRegister.lock(), c);
    Click(KeyClr);
    Type("789");
    Click(KeyEnt);
    EXPECT_EQ(slave.Register(63), 789);
    EXPECT_EQ(keypad.ValueEntryMode, 0);
    EXPECT_EQ(c->Typing, 0);

    Click(KeySet); // wraps to the first one
    EXPECT_EQ(keypad.EntryRegister.lock(), a);
    EXPECT_EQ(keypad.ValueEntryMode, 1);

    SimulatedDisplayFlags flags;
    keypad.AddDisplayFlags(flags);
    EXPECT_EQ(flags.entryRegister, a);
}

TEST_F(Keypad, ARefusedValueOrAFailedWriteKeepsTheEntryOpen)
{
    auto a = Settable("R70");
    a->SetRawRange(100, 0);
    doc.AddressTable[1].elements.push_back({"R1280", 0x500, 0}); // past the slave's table
    auto far = Settable("R1280");

    Click(KeySet);
    Type("101");
    Click(KeyEnt);
    EXPECT_EQ(slave.Register(70), 0);
    EXPECT_EQ(keypad.EntryRegister.lock(), a);
    EXPECT_EQ(a->Typing, 1);

    Click(KeySet); // drops the text, on to the next register
    EXPECT_EQ(a->Typing, 0);
    EXPECT_EQ(keypad.EntryRegister.lock(), far);
    Type("5");
    Click(KeyEnt); // the slave answers with an exception
    EXPECT_EQ(keypad.ValueEntryMode, 1);
    EXPECT_EQ(keypad.EntryRegister.lock(), far);
    EXPECT_EQ(far->Typing, 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Keypad, SetWithoutASettableRegisterEndsValueEntry)
{
    auto a = Settable("R80");
    auto jump = Bind(KeyF1, CFuncKeyElement::ScreenJump, "Reg", "R0");
    jump->TargetScreen = 2;

    Click(KeySet);
    ASSERT_EQ(keypad.ValueEntryMode, 1);
    Click(KeyF1); // a bound jump keeps value entry on
    EXPECT_EQ(doc.CurrentScreenNumber, 2);
    EXPECT_EQ(keypad.ValueEntryMode, 1);
    Click(KeySet);
    EXPECT_EQ(keypad.ValueEntryMode, 0);
    EXPECT_EQ(a->Typing, 0);
}

TEST_F(Keypad, AProtectedRegisterAsksOnlyWhenItsLevelIsNotGranted)
{
    doc.PasswordTable = {{0, 2, "5555"}};
    auto a = Settable("R90");
    auto b = Settable("R91");
    b->SetPasswordProtected(1);
    b->PasswordLevel = 1;
    auto c = Settable("R92");
    c->SetPasswordProtected(1);
    c->PasswordLevel = 0;

    Click(KeySet);
    Click(KeyEnt); // A written, on to B behind the prompt
    EXPECT_EQ(keypad.EntryRegister.lock(), b);
    EXPECT_EQ(keypad.PasswordEntryMode, 1);
    EXPECT_EQ(b->Typing, 0);
    SimulatedDisplayFlags flags;
    keypad.AddDisplayFlags(flags);
    EXPECT_TRUE(flags.passwordEntry);
    EXPECT_EQ(flags.passwordElement, b);

    Type("5555");
    Click(KeyEnt);
    EXPECT_EQ(keypad.PasswordEntryMode, 0);
    EXPECT_EQ(b->Typing, 1);
    Type("7");
    Click(KeyEnt);
    EXPECT_EQ(slave.Register(91), 7);
    // The granted level covers C.
    EXPECT_EQ(keypad.EntryRegister.lock(), c);
    EXPECT_EQ(keypad.PasswordEntryMode, 0);
    EXPECT_EQ(c->Typing, 1);
}

TEST_F(Keypad, TheStopLetsTheRegisterGoAndEndsEveryMode)
{
    auto a = Settable("R95");
    Click(KeySet);
    keypad.GrantedLevel = 2;
    keypad.ResetForStop();
    EXPECT_EQ(a->Typing, 0);
    EXPECT_EQ(keypad.ValueEntryMode, 0);
    EXPECT_EQ(keypad.NextEntryIndex, 0);
    EXPECT_EQ(keypad.GrantedLevel, 0);
}
