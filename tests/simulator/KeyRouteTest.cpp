#include "simulator/KeyRoute.h"

#include "model/elements/PanelKeys.h"

#include <gtest/gtest.h>

namespace {

using A = KeyAction;
constexpr KeypadModes None{};
constexpr KeypadModes Entry{false, false, true};
constexpr KeypadModes Prompt{false, true, false};
constexpr KeypadModes PromptInEntry{false, true, true};
constexpr KeypadModes Alarms{true, false, false};
constexpr KeypadModes AlarmsInEntry{true, false, true};
constexpr KeypadModes AlarmsAtPrompt{true, true, false};

} // namespace

TEST(KeyRoute, ModeTable)
{
    struct Case {
        int key;
        KeypadModes modes;
        KeyRoute route;
    };
    const int digit = KeyDigit0 + 7;
    const Case cases[] = {
        // digits
        {digit, None, {false, A::ExecuteSilently}},
        {digit, Entry, {false, A::TypeDigit}},
        {digit, Prompt, {false, A::PasswordDigit}},
        {digit, PromptInEntry, {false, A::PasswordDigit}},
        {digit, Alarms, {true, A::ExecuteSilently}},
        {digit, AlarmsAtPrompt, {true, A::PasswordDigit}},
        // CLR
        {KeyClr, None, {false, A::Execute}},
        {KeyClr, Entry, {false, A::ClearEntry}},
        {KeyClr, Prompt, {false, A::PasswordBackspace}},
        {KeyClr, AlarmsInEntry, {true, A::ClearEntry}},
        // ENT
        {KeyEnt, None, {false, A::Execute}},
        {KeyEnt, Entry, {false, A::WriteEntry}},
        {KeyEnt, Prompt, {false, A::PasswordCheck}},
        {KeyEnt, PromptInEntry, {false, A::PasswordCheck}},
        {KeyEnt, Alarms, {true, A::Execute}},
        // SET: never offered first; only the executor while alarms show
        {KeySet, None, {false, A::ExecuteOrStartEntry}},
        {KeySet, Entry, {false, A::ExecuteOrNextEntry}},
        {KeySet, Prompt, {false, A::ExecuteOrNothing}},
        {KeySet, PromptInEntry, {false, A::ExecuteOrNextEntry}},
        {KeySet, Alarms, {false, A::Execute}},
        {KeySet, AlarmsInEntry, {false, A::Execute}},
        // ESC: closes the alarm display before anything else
        {KeyEsc, None, {false, A::ExecuteOrMainScreen}},
        {KeyEsc, Entry, {false, A::EndEntry}},
        {KeyEsc, Prompt, {false, A::CancelPrompt}},
        {KeyEsc, PromptInEntry, {false, A::CancelPrompt}},
        {KeyEsc, Alarms, {false, A::CloseAlarmDisplay}},
        {KeyEsc, AlarmsAtPrompt, {false, A::CloseAlarmDisplay}},
        // ALM: never offered first; nothing at all at the prompt
        {KeyAlm, None, {false, A::ExecuteOrAlarmDisplay}},
        {KeyAlm, Entry, {false, A::EndEntryThenAlarm}},
        {KeyAlm, Prompt, {false, A::Nothing}},
        {KeyAlm, PromptInEntry, {false, A::Nothing}},
        {KeyAlm, Alarms, {false, A::ExecuteOrAlarmDisplay}},
        // the rest of the keys
        {KeyUp, None, {false, A::ExecuteOrScreenLink}},
        {KeyDown, Entry, {false, A::DecrementDigit}},
        {KeyUp, Entry, {false, A::IncrementDigit}},
        {KeyUp, Prompt, {false, A::Nothing}},
        {KeyDown, Alarms, {false, A::ScrollAlarms}},
        {KeyDown, AlarmsAtPrompt, {false, A::Nothing}},
        {KeyPlusMinus, None, {false, A::Execute}},
        {KeyPlusMinus, Entry, {false, A::ToggleSign}},
        {KeyPlusMinus, Prompt, {false, A::Execute}},
        {KeyPlusMinus, PromptInEntry, {false, A::ToggleSign}},
        {KeyLeft, Entry, {false, A::CursorLeft}},
        {KeyRight, Entry, {false, A::CursorRight}},
        {KeyLeft, Prompt, {false, A::Execute}},
        {KeyRight, PromptInEntry, {false, A::Nothing}},
        {KeyF1, None, {false, A::Execute}},
        {KeyF1 + 3, Entry, {false, A::Execute}},
        {KeyF1 + 1, Prompt, {false, A::Nothing}},
        {KeyF1, Alarms, {true, A::Execute}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " alarms " << c.modes.alarmDisplay << " prompt "
                                        << c.modes.passwordPrompt << " entry " << c.modes.valueEntry);
        EXPECT_EQ(RouteKey(c.key, c.modes), c.route);
    }
}
