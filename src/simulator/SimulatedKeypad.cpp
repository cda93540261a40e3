#include "simulator/SimulatedKeypad.h"

#include "StringIds.h"
#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/PanelKeys.h"
#include "simulator/PasswordCheck.h"
#include "simulator/ScreenIndex.h"
#include "simulator/SimulatedDisplayState.h"
#include "simulator/SimulationShared.h"
#include "transfer/ProtocolFunctionTable.h"
#include "transfer/ScreenPollPlan.h"

namespace {

constexpr int kPasswordLength = 4;
constexpr int kAlarmPage = 4;

bool NeedsDisplayedScreen(int key)
{
    return key == KeyUp || key == KeyDown || key == KeySet || key == KeyEnt;
}

} // namespace

SimulatedKeypad::SimulatedKeypad(CVX50TextDoc& doc, const ProtocolFunctionTable& protocol, SimulationPort& port,
    SimulationShared& shared, SimulationHost& host)
    : m_doc(doc)
    , m_protocol(protocol)
    , m_shared(shared)
    , m_device(protocol, port, host)
{
    m_device.SetIdleHandler([this] { RunWaitingKeys(); });
}

bool SimulatedKeypad::WaitForExchanges(std::function<void()> event)
{
    if (!m_device.UnderWay())
        return false;
    m_waitingKeys.push_back(std::move(event));
    return true;
}

void SimulatedKeypad::RunWaitingKeys()
{
    while (!m_device.UnderWay() && !m_waitingKeys.empty()) {
        const std::function<void()> event = std::move(m_waitingKeys.front());
        m_waitingKeys.pop_front();
        event();
    }
}

KeypadModes SimulatedKeypad::Modes() const
{
    return {m_shared.AlarmDisplayOn, PasswordEntryMode == 1, ValueEntryMode == 1};
}

ScreenRecord* SimulatedKeypad::CurrentScreen()
{
    return m_doc.FindScreenByNumber(m_doc.CurrentScreenNumber);
}

void SimulatedKeypad::Redraw()
{
    CurrentUi().RedrawCanvas();
}

void SimulatedKeypad::PressKey(int key)
{
    if (WaitForExchanges([this, key] { PressKey(key); }))
        return;
    m_shared.MomentaryCoilState = 0;
    if (m_shared.AlarmDisplayOn) {
        if (const PanelKeyInfo* info = PanelKey(key))
            m_shared.DeferredKey = info->deferredCode;
        return;
    }
    OnKeyCommand(key);
}

void SimulatedKeypad::ReplayDeferredKey(int deferredCode)
{
    if (WaitForExchanges([this, deferredCode] { ReplayDeferredKey(deferredCode); }))
        return;
    const int key = KeyFromDeferredCode(deferredCode);
    if (key < 0)
        return;
    m_shared.MomentaryCoilState = 0;
    OnKeyCommand(key);
    ReleaseKey();
}

void SimulatedKeypad::OnKeyCommand(int key)
{
    if (!PanelKey(key))
        return;
    if (m_beep)
        m_beep();
    const KeyRoute route = RouteKey(key, Modes());
    if (route.offerFirst && ExecuteKey(key)) {
        Redraw();
        return;
    }
    if (NeedsDisplayedScreen(key) && !CurrentScreen())
        return;
    Perform(route.action, key);
}

void SimulatedKeypad::Perform(KeyAction action, int key)
{
    switch (action) {
    case KeyAction::Nothing:
        return;
    case KeyAction::Execute:
        ExecuteKey(key);
        break;
    case KeyAction::ExecuteSilently:
        ExecuteKey(key);
        return;
    case KeyAction::ExecuteOrNothing:
        if (!ExecuteKey(key))
            return;
        break;
    case KeyAction::ExecuteOrScreenLink:
        ExecuteOrScreenLink(key);
        return;
    case KeyAction::ExecuteOrStartEntry:
    case KeyAction::ExecuteOrNextEntry:
        if (!ExecuteKey(key))
            OnKeySet();
        break;
    case KeyAction::ExecuteOrMainScreen:
        ExecuteOrMainScreen();
        break;
    case KeyAction::ExecuteOrAlarmDisplay:
        ExecuteOrAlarmDisplay();
        break;
    case KeyAction::CloseAlarmDisplay:
        m_shared.AlarmDisplayOn = false;
        break;
    case KeyAction::ScrollAlarms:
        ScrollAlarms(key);
        break;
    case KeyAction::PasswordDigit:
        if (PasswordDigits >= kPasswordLength)
            return;
        TypePasswordDigit(key - KeyDigit0);
        break;
    case KeyAction::PasswordBackspace:
        if (PasswordDigits > 0) {
            PasswordValue /= 10;
            --PasswordDigits;
        }
        break;
    case KeyAction::PasswordCheck:
        CheckPassword();
        return;
    case KeyAction::CancelPrompt:
        PasswordEntryMode = 0;
        if (ValueEntryMode == 1)
            EndEntry();
        break;
    case KeyAction::EndEntry:
        EndEntry();
        break;
    case KeyAction::EndEntryThenAlarm:
        EndEntry();
        ExecuteOrAlarmDisplay();
        break;
    case KeyAction::WriteEntry:
        WriteEntry();
        return;
    default: // typing on the register
        EditEntry(action, key);
        break;
    }
    Redraw();
}

void SimulatedKeypad::ExecuteOrScreenLink(int key)
{
    if (ExecuteKey(key)) {
        Redraw();
        return;
    }
    const ScreenRecord* screen = CurrentScreen();
    if (SwitchScreen(key == KeyUp ? screen->UpKeyScreen : screen->DownKeyScreen))
        Redraw();
}

void SimulatedKeypad::ExecuteOrMainScreen()
{
    EscFunctionFound = 0;
    ExecuteKey(KeyEsc);
    if (EscFunctionFound == 0)
        GoToMainScreen();
}

void SimulatedKeypad::ExecuteOrAlarmDisplay()
{
    if (!ExecuteKey(KeyAlm) && !m_doc.AlarmBlocks.empty())
        m_shared.AlarmDisplayOn = true;
    ValueEntryMode = 0;
    NextEntryIndex = 0;
}

void SimulatedKeypad::ScrollAlarms(int key)
{
    m_shared.WithAlarms([key](AlarmState& alarms) {
        const int lines = static_cast<int>(alarms.ActiveAlarmLines.size());
        if (key == KeyDown && alarms.AlarmFirstLine + kAlarmPage < lines)
            alarms.AlarmFirstLine += kAlarmPage;
        else if (key == KeyUp && alarms.AlarmFirstLine - kAlarmPage >= 0)
            alarms.AlarmFirstLine -= kAlarmPage;
    });
}

void SimulatedKeypad::EndEntry()
{
    StopTyping();
    ValueEntryMode = 0;
}

void SimulatedKeypad::StartPrompt(const std::shared_ptr<CScreenElement>& requester)
{
    PasswordEntryMode = 1;
    PasswordValue = 0;
    PasswordDigits = 0;
    PasswordRequester = requester;
}

void SimulatedKeypad::EndPrompt()
{
    PasswordEntryMode = 0;
    PasswordValue = 0;
    PasswordDigits = 0;
}

void SimulatedKeypad::TypePasswordDigit(int digit)
{
    ++PasswordDigits;
    PasswordValue = PasswordValue * 10 + digit;
}

void SimulatedKeypad::CheckPassword()
{
    if (PasswordDigits < kPasswordLength) {
        Redraw();
        return;
    }
    const std::optional<int> level = GrantedPasswordLevel(m_doc.PasswordTable, PasswordValue);
    if (!level)
        return;
    GrantedLevel = *level;
    // What asked for the password resumes when the level now lets it act.
    const std::shared_ptr<CScreenElement> requester = PasswordRequester.lock();
    if (const auto reg = std::dynamic_pointer_cast<CRegisterElement>(requester)) {
        if (LevelGranted(GrantedLevel, reg->PasswordLevel)) {
            EndPrompt();
            if (ValueEntryMode == 1)
                StartTyping(*reg);
        }
    } else if (const auto key = std::dynamic_pointer_cast<CFuncKeyElement>(requester)) {
        if (LevelGranted(GrantedLevel, key->PasswordLevel)) {
            EndPrompt();
            ExecuteKey(key->GetKey());
        }
    } else if (LevelGranted(GrantedLevel, PendingGlobalButton.UserLevel)) {
        EndPrompt();
        ExecuteKey(KeyFromPanelCode(PendingGlobalButton.KeyCode));
    }
    Redraw();
}

void SimulatedKeypad::GoToMainScreen()
{
    SwitchScreen(m_doc.Panel.MainScreen);
}

bool SimulatedKeypad::SwitchScreen(int target)
{
    const int index = ScreenIndexOf(m_doc, target);
    if (index >= 0) {
        m_doc.EditScreen(target);
        PasswordEntryMode = 0;
        GrantedLevel = 0;
        PasswordValue = 0;
    }
    PollLists lists;
    if (!CollectScreenAddressesSilently(m_doc, index, lists)) {
        m_shared.ReplacePollPlan(BuildPollGroups(m_doc, m_protocol.GetReadCoilPos, std::move(lists.wordBits),
                                     std::move(lists.coils), std::move(lists.words)),
            target);
        return true;
    }
    // The plan stays as it was; the message comes once the simulation is
    // asked to stop.
    m_shared.SimulationRequested = false;
    CurrentUi().ShowMessage(IdsControlElementAddressMissing);
    return false;
}

void SimulatedKeypad::ResetForStart()
{
    PasswordEntryMode = 0;
    ValueEntryMode = 0;
    NextEntryIndex = 0;
}

void SimulatedKeypad::ResetForStop()
{
    m_waitingKeys.clear();
    if (ValueEntryMode == 1)
        EndEntry();
    ResetForStart();
    PasswordValue = 0;
    GrantedLevel = 0;
}

void SimulatedKeypad::AddDisplayFlags(SimulatedDisplayFlags& flags) const
{
    flags.passwordEntry = PasswordEntryMode == 1;
    flags.passwordDigits = PasswordDigits;
    flags.passwordElement = PasswordRequester.lock();
    if (ValueEntryMode == 1)
        if (std::shared_ptr<CRegisterElement> reg = EntryRegister.lock(); reg && reg->Typing)
            flags.entryRegister = std::move(reg);
}
