#pragma once

// What a key of the simulation's keypad does in the keypad's current modes.
// The alarm display takes a key first; then the password prompt, value
// entry and no mode, in this priority.

struct KeypadModes {
    bool alarmDisplay = false;
    bool passwordPrompt = false;
    bool valueEntry = false;
};

enum class KeyAction {
    // Nothing at all; the display is not redrawn.
    Nothing,
    // The key executor; the display is redrawn.
    Execute,
    // The key executor; the display is not redrawn (digits).
    ExecuteSilently,
    // The key executor; when it takes the key the display is redrawn, else
    // nothing happens.
    ExecuteOrNothing,
    // The key executor; when no function takes the key: the screen the
    // current screen links to the key (up and down) ...
    ExecuteOrScreenLink,
    // ... value entry starts on the first settable register (SET) ...
    ExecuteOrStartEntry,
    // ... value entry moves on to the next settable register (SET) ...
    ExecuteOrNextEntry,
    // ... the main screen, unless a function is bound to ESC ...
    ExecuteOrMainScreen,
    // ... the alarm display opens when the project has alarms (ALM); then
    // value entry is off and starts again from the first element.
    ExecuteOrAlarmDisplay,
    // The alarm display: ESC closes it, up and down scroll it.
    CloseAlarmDisplay,
    ScrollAlarms,
    // The password prompt: a digit, CLR, ENT, and ESC which also ends
    // value entry.
    PasswordDigit,
    PasswordBackspace,
    PasswordCheck,
    CancelPrompt,
    // Value entry on the register: ESC ends it; ALM ends it and then acts as
    // in no mode (ExecuteOrAlarmDisplay).
    EndEntry,
    EndEntryThenAlarm,
    TypeDigit,
    ClearEntry,
    ToggleSign,
    CursorLeft,
    CursorRight,
    IncrementDigit,
    DecrementDigit,
    WriteEntry,
};

struct KeyRoute {
    // While the alarm display is shown the key is first offered to the key
    // executor; when a function takes it the display is redrawn and the
    // action below does not run.
    bool offerFirst = false;
    KeyAction action = KeyAction::Nothing;

    bool operator==(const KeyRoute&) const = default;
};

// The route of key `keyCode` (0 to 23, PanelKeys.h).
KeyRoute RouteKey(int keyCode, KeypadModes modes);
