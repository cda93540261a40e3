#include "simulator/KeyRoute.h"

#include "model/elements/PanelKeys.h"

namespace {

bool IsDigit(int key)
{
    return key >= KeyDigit0 && key < KeyDigit0 + 10;
}

bool IsFunctionKey(int key)
{
    return key >= KeyF1 && key < KeyF1 + 4;
}

// ALM, ESC, up, down and SET have rules of their own for the alarm display.
bool OfferedFirst(int key)
{
    return key != KeyAlm && key != KeyEsc && key != KeyUp && key != KeyDown && key != KeySet;
}

KeyAction PromptAction(int key, bool valueEntry)
{
    if (IsDigit(key))
        return KeyAction::PasswordDigit;
    switch (key) {
    case KeyClr:
        return KeyAction::PasswordBackspace;
    case KeyEnt:
        return KeyAction::PasswordCheck;
    case KeyEsc:
        return KeyAction::CancelPrompt;
    case KeyPlusMinus:
        return valueEntry ? KeyAction::ToggleSign : KeyAction::Execute;
    case KeyLeft:
    case KeyRight:
        return valueEntry ? KeyAction::Nothing : KeyAction::Execute;
    case KeySet:
        return valueEntry ? KeyAction::ExecuteOrNextEntry : KeyAction::ExecuteOrNothing;
    default: // up, down, ALM, F1 to F4
        return KeyAction::Nothing;
    }
}

KeyAction EntryAction(int key)
{
    if (IsDigit(key))
        return KeyAction::TypeDigit;
    if (IsFunctionKey(key))
        return KeyAction::Execute;
    switch (key) {
    case KeyClr:
        return KeyAction::ClearEntry;
    case KeyPlusMinus:
        return KeyAction::ToggleSign;
    case KeyLeft:
        return KeyAction::CursorLeft;
    case KeyRight:
        return KeyAction::CursorRight;
    case KeyUp:
        return KeyAction::IncrementDigit;
    case KeyDown:
        return KeyAction::DecrementDigit;
    case KeyEnt:
        return KeyAction::WriteEntry;
    case KeySet:
        return KeyAction::ExecuteOrNextEntry;
    case KeyEsc:
        return KeyAction::EndEntry;
    default: // ALM
        return KeyAction::EndEntryThenAlarm;
    }
}

KeyAction PlainAction(int key)
{
    if (IsDigit(key))
        return KeyAction::ExecuteSilently;
    switch (key) {
    case KeyUp:
    case KeyDown:
        return KeyAction::ExecuteOrScreenLink;
    case KeySet:
        return KeyAction::ExecuteOrStartEntry;
    case KeyEsc:
        return KeyAction::ExecuteOrMainScreen;
    case KeyAlm:
        return KeyAction::ExecuteOrAlarmDisplay;
    default:
        return KeyAction::Execute;
    }
}

} // namespace

KeyRoute RouteKey(int keyCode, KeypadModes modes)
{
    KeyRoute route;
    route.offerFirst = modes.alarmDisplay && OfferedFirst(keyCode);
    if (modes.alarmDisplay && keyCode == KeyEsc)
        route.action = KeyAction::CloseAlarmDisplay;
    else if (modes.alarmDisplay && keyCode == KeySet)
        route.action = KeyAction::Execute;
    else if (modes.alarmDisplay && !modes.passwordPrompt && (keyCode == KeyUp || keyCode == KeyDown))
        route.action = KeyAction::ScrollAlarms;
    else if (modes.passwordPrompt)
        route.action = PromptAction(keyCode, modes.valueEntry);
    else if (modes.valueEntry)
        route.action = EntryAction(keyCode);
    else
        route.action = PlainAction(keyCode);
    return route;
}
