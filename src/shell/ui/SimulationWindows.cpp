#include "shell/ui/SimulationWindows.h"

#include "shell/ui/CElementListDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CVX50TextView.h"
#include "simulator/SimulationControl.h"

#include <QMetaObject>

SimulationWindows::SimulationWindows(CMainFrame& frame)
    : m_frame(frame)
{
    connect(&m_timer, &QTimer::timeout, &frame, &CMainFrame::OnTimer);
}

void SimulationWindows::ShowSimulationLayout()
{
    if (CVX50TextView* view = m_frame.GetActiveView())
        view->ShowSimulationLayout(true);
    if (m_frame.ScreenDataWindow)
        m_frame.ScreenDataWindow->hide();
}

void SimulationWindows::ShowEditorLayout()
{
    if (CVX50TextView* view = m_frame.GetActiveView())
        view->ShowSimulationLayout(false);
    if (m_frame.ScreenDataWindow)
        m_frame.ScreenDataWindow->setVisible(m_frame.ScreenDataShown == 1);
}

void SimulationWindows::StartTimer(int milliseconds)
{
    m_timer.start(milliseconds);
}

void SimulationWindows::StopTimer()
{
    m_timer.stop();
}

void SimulationWindows::PostToUserInterface(std::function<void()> work)
{
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

void SimulationWindows::ReplayKey(int deferredCode)
{
    m_frame.Simulation().Keypad().ReplayDeferredKey(deferredCode);
}
