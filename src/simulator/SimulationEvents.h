#pragma once

// What a polling pass tells the user-interface thread. The pass calls these
// on the worker thread; each only queues its work for the user-interface
// thread and returns at once (the worker never touches a window).
class SimulationEvents {
public:
    virtual ~SimulationEvents() = default;
    // The device chose a screen: the working list follows the displayed
    // screen (reloaded also when the chosen number names no screen).
    virtual void ScreenSwitched() = 0;
    // The chosen screen's addresses could not be collected; the pass has
    // cleared the request, so the simulation stops. "控件元件地址不存在!" is shown.
    virtual void ScreenAddressesMissing() = 0;
    // A key pressed while the alarm display was shown (its deferred code,
    // 1 to 24) goes to the keypad window now.
    virtual void DeferredKeyReplayed(int deferredCode) = 0;
    // The link state was published (at the end of a pass, or as soon as an
    // exchange found the link lost): the canvas repaints.
    virtual void PassCompleted() = 0;
};
