#pragma once

#include "simulator/SimulationHost.h"

#include <QObject>
#include <QTimer>

class CMainFrame;

// The windows' side of the simulation for the main frame: the view's layout
// switch, the main frame's 50 ms timer (its ticks go to
// CMainFrame::OnTimer) and the queue to the user-interface thread. Work
// queued for a destroyed main frame is dropped with it.
class SimulationWindows : public QObject, public SimulationHost {
    Q_OBJECT
public:
    explicit SimulationWindows(CMainFrame& frame);

    void ShowSimulationLayout() override;
    void ShowEditorLayout() override;
    void StartTimer(int milliseconds) override;
    void StopTimer() override;
    void PostToUserInterface(std::function<void()> work) override;
    void ReplayKey(int deferredCode) override;

private:
    CMainFrame& m_frame;
    QTimer m_timer;
};
