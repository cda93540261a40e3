#include "settings/PanelSettingsRules.h"

#include "StringIds.h"
#include "devices/AddressLookup.h"

#include <algorithm>

namespace {

bool Within(int value, int low, int high)
{
    return value >= low && value <= high;
}

const ElementGroup* FindWordGroup(const AddressTable& table, const std::string& name)
{
    const auto found = std::find_if(table.begin(), table.end(), [&name](const ElementGroup& group) {
        return group.elementType == Word16ElementType && group.name == name;
    });
    return found == table.end() ? nullptr : &*found;
}

} // namespace

PanelSettingsField RefusedPanelSetting(const PanelSettings& edited)
{
    if (!Within(edited.CommTime, 10, 50))
        return PanelSettingsField::CommTime;
    if (!Within(edited.Timeout, 100, 1000))
        return PanelSettingsField::Timeout;
    if (!Within(edited.SaverScreen, 1, 65535))
        return PanelSettingsField::SaverScreen;
    if (!Within(edited.MainScreen, 1, 65535))
        return PanelSettingsField::MainScreen;
    return PanelSettingsField::None;
}

int PanelSettingsRefusal(const PanelSettings& edited)
{
    return PanelSettingRefusalMessage(RefusedPanelSetting(edited));
}

int PanelSettingRefusalMessage(PanelSettingsField field)
{
    switch (field) {
    case PanelSettingsField::CommTime: return IdsCommunicationTimeBad;
    case PanelSettingsField::Timeout: return IdsTimeoutBad;
    case PanelSettingsField::SaverScreen:
    case PanelSettingsField::MainScreen: return IdsEnterInteger1To65535;
    case PanelSettingsField::None: break;
    }
    return 0;
}

void StoreDialogPanelSettings(const PanelSettings& edited, PanelSettings& stored)
{
    stored.ControlGroupName = edited.ControlGroupName;
    stored.ClearAfterSwitch = edited.ClearAfterSwitch;
    stored.EncryptProject = edited.EncryptProject;
    stored.ControlElementName = edited.ControlElementName;
    stored.Timeout = edited.Timeout;
    stored.CommTime = edited.CommTime;
    stored.ShowSaverScreen = edited.ShowSaverScreen;
    stored.BacklightOffOnSaver = edited.BacklightOffOnSaver;
}

void StoreViewPanelSettings(const PanelSettings& edited, PanelSettings& stored)
{
    stored.SaverScreen = edited.SaverScreen;
    stored.MainScreen = edited.MainScreen;
    stored.ScreenSaverIndex = edited.ScreenSaverIndex;
    stored.PanelStation = edited.PanelStation;
    stored.AutoScreenSwitch = edited.AutoScreenSwitch;
    stored.ControlPort = edited.ControlPort;
    stored.ReportScreen = edited.ReportScreen;
}

std::vector<std::string> ControlElementNames(const AddressTable& table, const std::string& group)
{
    std::vector<std::string> names;
    if (const ElementGroup* found = FindWordGroup(table, group))
        for (const DeviceElement& element : found->elements)
            names.push_back(element.name);
    return names;
}

ControlRegisterNames OpeningControlRegister(const AddressTable& table, const PanelSettings& stored)
{
    ControlRegisterNames names;
    const std::vector<std::string> groups = GroupNamesOfType(table, Word16ElementType);
    if (!stored.ControlGroupName.empty() && FindWordGroup(table, stored.ControlGroupName))
        names.group = stored.ControlGroupName;
    else if (!groups.empty())
        names.group = groups.front();
    const std::vector<std::string> elements = ControlElementNames(table, names.group);
    if (std::find(elements.begin(), elements.end(), stored.ControlElementName) != elements.end())
        names.element = stored.ControlElementName;
    else if (!elements.empty())
        names.element = elements.front();
    return names;
}

std::string ReportRegisterName(const AddressTable& table, const std::string& group, const std::string& element)
{
    const std::vector<std::string> elements = ControlElementNames(table, group);
    const auto found = std::find(elements.begin(), elements.end(), element);
    if (found == elements.end() || found + 1 == elements.end())
        return {};
    return *(found + 1);
}
