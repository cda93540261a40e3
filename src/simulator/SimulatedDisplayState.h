#pragma once

#include <memory>
#include <string>
#include <vector>

class CScreenElement;

// What the simulated display shows besides the elements, as the simulation
// and its keypad window leave it at the moment of a paint. All false / empty
// while no simulation runs.
struct SimulatedDisplayFlags {
    bool simulating = false;
    // The last polling pass: a device exchange failed / a reply failed its check.
    bool linkTimedOut = false;
    bool dataError = false;
    // The keypad window shows the alarm list instead of the screen: the texts
    // (GBK) of the active alarms from the first listed line on. None shows
    // "No Alarm!".
    bool alarmDisplay = false;
    std::vector<std::string> alarmTexts;
    // A password is being typed: the digits typed so far and the element that
    // asked for it (null when none).
    bool passwordEntry = false;
    int passwordDigits = 0;
    std::shared_ptr<CScreenElement> passwordElement;
    // A register whose value is being typed; it is drawn once more on top.
    std::shared_ptr<CScreenElement> entryRegister;
};

// The canvas's read-only view of the simulation. The simulator implements it;
// DisplayFlags() runs on the user-interface thread at every paint and must
// take whatever the worker shares under its own guard.
class SimulatedDisplayState {
public:
    virtual ~SimulatedDisplayState() = default;
    virtual SimulatedDisplayFlags DisplayFlags() const = 0;
};
