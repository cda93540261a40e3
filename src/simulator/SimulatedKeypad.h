#pragma once

#include "model/GlobalButton.h"
#include "simulator/KeyDevice.h"
#include "simulator/KeyRoute.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

class CRegisterElement;
class CScreenElement;
class CVX50TextDoc;
class SimulationHost;
class SimulationPort;
class SimulationShared;
struct KeyFunction;
struct ProtocolFunctionTable;
struct ScreenRecord;
struct SimulatedDisplayFlags;

// The panel's 24 keys while simulating, without the window that shows them:
// every key command (KeyNumber 0 to 23, PanelKeys.h) first offers the key
// to the function bound to it on the displayed screen or as a global button
// (ExecuteKey); what the key does besides depends on the keypad's mode:
// alarm display, password prompt, value entry on a register, or none. The
// keypad also makes the panel's own screen changes: the up and down links
// and ESC to the main screen.
//
// Everything runs on the user-interface thread, which never waits for the
// device: a key's exchanges are queued for the simulation's worker and the
// key goes on with their outcomes when they come back (KeyDevice). Until
// then the presses, releases and replayed keys that follow wait, in order,
// so that each key still acts only after the exchanges of the one before
// have ended. A screen switch replaces the shared poll plan. Messages and
// canvas redraws go through CurrentUi().
class SimulatedKeypad {
public:
    SimulatedKeypad(CVX50TextDoc& doc, const ProtocolFunctionTable& protocol, SimulationPort& port,
        SimulationShared& shared, SimulationHost& host);

    // The sound every key command makes first; nothing until one is set.
    void SetBeeper(std::function<void()> beep) { m_beep = std::move(beep); }

    // A press on key `key` of the panel picture: ends the last momentary
    // key's hold; while the alarm display is shown the key waits for the
    // polling pass to replay it (DeferredKey), else its command runs now.
    void PressKey(int key);
    // The release of the key pressed last: a momentary function writes its
    // release.
    void ReleaseKey();
    // The polling pass replays the key whose deferred code (1 to 24) is
    // `deferredCode`. A momentary function writes its release right after
    // its press, as the key was let go long ago.
    void ReplayDeferredKey(int deferredCode);

    // A key's exchanges have been queued whose outcomes have not come back;
    // the keys that follow wait for them.
    bool ExchangesUnderWay() const { return m_device.UnderWay(); }

    // The command of key `key`: the beep, the function, the key's own rule.
    void OnKeyCommand(int key);

    // Performs the function bound to key `key` on the displayed screen, else
    // the global button on it. True when the key is taken: a function was
    // found (whether it could act or not: a link down, a failed exchange or
    // an address the table does not hold still take the key), or the
    // displayed screen is not found. False when nothing is bound, when a
    // function key is passed over because the alarm display is shown, and
    // when the function's level started the password prompt.
    bool ExecuteKey(int key);

    // The simulated display goes to the project's main screen.
    void GoToMainScreen();

    // At the simulation's start: no mode on, SET starts at the first element.
    void ResetForStart();
    // At the stop (once no exchange is under way): a register being typed is
    // let go, every mode and the granted level end, and keys that still wait
    // are dropped.
    void ResetForStop();

    // The prompt and the register being typed, for the canvas.
    void AddDisplayFlags(SimulatedDisplayFlags& flags) const;

    // The keypad's state (shown on the simulated display, kept between keys).
    int EscFunctionFound = 0;
    int PasswordDigits = 0;
    int PasswordValue = 0;
    // The register under value entry, also the last one the SET search
    // found.
    std::weak_ptr<CRegisterElement> EntryRegister;
    int PasswordEntryMode = 0;
    int NextEntryIndex = 0;
    int ValueEntryMode = 0;
    // The last momentary coil key, kept for its release.
    int MomentaryStation = 0;
    int MomentaryAddress = 0;
    int MomentaryGroupMode = 0;
    std::uint16_t MomentaryReleaseWord = 0;
    // The element that asked for the password; none when PendingGlobalButton
    // asked.
    std::weak_ptr<CScreenElement> PasswordRequester;
    int GrantedLevel = 0; // 0 none, 1 to 3
    GlobalButton PendingGlobalButton;

private:
    // Keeps `event` (a press, release or replay) for later while exchanges
    // are under way; true when it was kept.
    bool WaitForExchanges(std::function<void()> event);
    // The events kept, in order, until one of them leaves exchanges under
    // way again.
    void RunWaitingKeys();

    KeypadModes Modes() const;
    ScreenRecord* CurrentScreen();
    void Perform(KeyAction action, int key);
    void Redraw();

    // The panel's own key rules.
    void ExecuteOrScreenLink(int key);
    void ExecuteOrMainScreen();
    void ExecuteOrAlarmDisplay();
    void ScrollAlarms(int key);
    void EndEntry();
    void StartPrompt(const std::shared_ptr<CScreenElement>& requester);
    void EndPrompt();
    void TypePasswordDigit(int digit);
    void CheckPassword();
    // The simulated screen switch: false when the target screen is missing
    // or its addresses cannot be polled, which stops the simulation.
    bool SwitchScreen(int target);

    // Key functions (SimulatedKeypadFunctions.cpp).
    void Perform(const KeyFunction& function);
    void PerformCoil(const KeyFunction& function);
    // Read, change the bit, write back; `written` gets the write's result
    // (Failed when the read failed).
    void PerformCoilInWord(const KeyFunction& function, int address, int groupMode,
        KeyDevice::Then<KeyDevice::Result> written);
    void PerformSetRegister(const KeyFunction& function);
    void PerformStep(const KeyFunction& function);
    void StoreMomentaryKey(const KeyFunction& function, int address, int groupMode);

    // Value entry (SimulatedKeypadEntry.cpp).
    void OnKeySet();
    void WriteEntry();
    // The written register lets go and entry moves on to the next one.
    void EntryWritten(KeyDevice::Result result);
    // Value entry on the register at `index` of `screen`, behind the
    // password prompt when its level is not granted.
    void EnterRegister(const ScreenRecord& screen, int index);
    void StartTyping(CRegisterElement& reg);
    // The register under entry shows polled values again.
    void StopTyping();
    void EditEntry(KeyAction action, int key);

    CVX50TextDoc& m_doc;
    const ProtocolFunctionTable& m_protocol;
    SimulationShared& m_shared;
    KeyDevice m_device;
    std::deque<std::function<void()>> m_waitingKeys;
    std::function<void()> m_beep;
};
