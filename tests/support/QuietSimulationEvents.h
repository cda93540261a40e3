#pragma once

// Simulation events that nothing listens to, for running polling passes
// without windows (the simulation benchmark and fuzz target). Header-only.

#include "simulator/SimulationEvents.h"

class QuietSimulationEvents : public SimulationEvents {
public:
    void ScreenSwitched() override {}
    void ScreenAddressesMissing() override {}
    void DeferredKeyReplayed(int) override {}
    void PassCompleted() override {}
};
