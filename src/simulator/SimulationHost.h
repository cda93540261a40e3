#pragma once

#include <functional>

// What the simulation asks of the windows. Everything runs on the
// user-interface thread except PostToUserInterface, which any thread calls.
class SimulationHost {
public:
    virtual ~SimulationHost() = default;

    // The view's simulation layout: the canvas over the keypad window's
    // display, the keypad window shown, the property pages and the
    // screen-data window hidden.
    virtual void ShowSimulationLayout() = 0;
    // Back to the editor: the canvas at its editor place, the keypad window
    // and the element pages hidden, the screen page shown, the screen-data
    // window shown again when the user keeps it shown.
    virtual void ShowEditorLayout() = 0;

    // The main frame's timer, which calls SimulationControl::OnTimer.
    virtual void StartTimer(int milliseconds) = 0;
    virtual void StopTimer() = 0;

    // Queues `work` to run on the user-interface thread.
    virtual void PostToUserInterface(std::function<void()> work) = 0;

    // The keypad window receives the command of the key whose deferred code
    // (1 to 24) is `deferredCode`.
    virtual void ReplayKey(int deferredCode) = 0;
};
