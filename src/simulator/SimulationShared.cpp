#include "simulator/SimulationShared.h"

std::vector<PollGroup> SimulationShared::CopyPollPlan() const
{
    std::lock_guard lock(m_planMutex);
    return m_pollPlan;
}

void SimulationShared::ReplacePollPlan(std::vector<PollGroup> plan, int screen)
{
    std::lock_guard lock(m_planMutex);
    m_pollPlan.swap(plan);
    DisplayedScreen = screen;
}
