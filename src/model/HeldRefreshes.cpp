#include "model/HeldRefreshes.h"

#include <algorithm>
#include <utility>

HeldRefreshes::HeldRefreshes()
    : m_replaced(CurrentUi())
    , m_previouslyInstalled(InstallUi(this))
{
}

HeldRefreshes::~HeldRefreshes()
{
    if (m_installed)
        InstallUi(m_previouslyInstalled);
}

void HeldRefreshes::Release()
{
    if (std::exchange(m_installed, false))
        InstallUi(m_previouslyInstalled);
    for (const Held& held : std::exchange(m_held, {}))
        held.run(m_replaced);
}

void HeldRefreshes::Hold(Refresh refresh, int target, std::function<void(UserInterface&)> run)
{
    const auto same = std::find_if(m_held.begin(), m_held.end(),
        [&](const Held& held) { return held.refresh == refresh && held.target == target; });
    if (same == m_held.end())
        m_held.push_back({refresh, target, std::move(run)});
    else
        same->run = std::move(run);
}

int HeldRefreshes::ShowMessage(int stringId, unsigned flags)
{
    return m_replaced.ShowMessage(stringId, flags);
}

int HeldRefreshes::ShowMessageText(const std::string& gbkText, unsigned flags)
{
    return m_replaced.ShowMessageText(gbkText, flags);
}

bool HeldRefreshes::ProgressBegin(int total)
{
    return m_replaced.ProgressBegin(total);
}

void HeldRefreshes::ProgressCaption(int captionId, int textId)
{
    m_replaced.ProgressCaption(captionId, textId);
}

void HeldRefreshes::ProgressStep(int position)
{
    m_replaced.ProgressStep(position);
}

void HeldRefreshes::ProgressEnd()
{
    m_replaced.ProgressEnd();
}

bool HeldRefreshes::RunCopyScreenDialog(int sourceNumber, int& target)
{
    return m_replaced.RunCopyScreenDialog(sourceNumber, target);
}

void HeldRefreshes::RunNewScreenDialog(bool insertMode)
{
    m_replaced.RunNewScreenDialog(insertMode);
}

bool HeldRefreshes::RunProjectDialog(int commandId)
{
    return m_replaced.RunProjectDialog(commandId);
}

void HeldRefreshes::RebuildProjectTree()
{
    Hold(Refresh::Tree, 0, [](UserInterface& ui) { ui.RebuildProjectTree(); });
}

void HeldRefreshes::ShowPageAfterRestore()
{
    Hold(Refresh::PageAfterRestore, 0, [](UserInterface& ui) { ui.ShowPageAfterRestore(); });
}

void HeldRefreshes::RedrawCanvas()
{
    Hold(Refresh::Canvas, 0, [](UserInterface& ui) { ui.RedrawCanvas(); });
}

void HeldRefreshes::RefreshElementList(bool rebuild)
{
    Hold(Refresh::ElementList, rebuild ? 1 : 0, [rebuild](UserInterface& ui) { ui.RefreshElementList(rebuild); });
}

void HeldRefreshes::GoToElement(int screenIndex, int elementIndex, int page)
{
    Hold(Refresh::GoTo, 0,
        [screenIndex, elementIndex, page](UserInterface& ui) { ui.GoToElement(screenIndex, elementIndex, page); });
}

void HeldRefreshes::ShowScreenItem(int number, const std::string& gbkText)
{
    Hold(Refresh::ScreenItem, number, [number, gbkText](UserInterface& ui) { ui.ShowScreenItem(number, gbkText); });
}

void HeldRefreshes::ShowScreenPage()
{
    Hold(Refresh::ScreenPage, 0, [](UserInterface& ui) { ui.ShowScreenPage(); });
}

void HeldRefreshes::ResetAddressLists(int tool, int width)
{
    Hold(Refresh::AddressLists, tool, [tool, width](UserInterface& ui) { ui.ResetAddressLists(tool, width); });
}

void HeldRefreshes::DeviceLoaded()
{
    Hold(Refresh::Device, 0, [](UserInterface& ui) { ui.DeviceLoaded(); });
}

void HeldRefreshes::PasswordLevelsChanged()
{
    Hold(Refresh::PasswordLevels, 0, [](UserInterface& ui) { ui.PasswordLevelsChanged(); });
}

void HeldRefreshes::ElementAddressesRebound()
{
    Hold(Refresh::Rebound, 0, [](UserInterface& ui) { ui.ElementAddressesRebound(); });
}
