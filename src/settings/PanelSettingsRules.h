#pragma once

#include "devices/ElementGroup.h"
#include "model/PanelSettings.h"

#include <string>
#include <vector>

// The rules of the panel-settings dialog that do not depend on its widgets.
// The dialog edits a copy of the document's PanelSettings; these functions
// judge and store that copy and choose the device registers through which
// the device and the panel exchange the displayed screen.

// Index 0 of the screen-saver list is "无" (no screen saver); the list offers
// indexes 0 to 8.
constexpr int kNoScreenSaver = 0;
constexpr int kScreenSaverChoices = 9;

// The fields that OK checks, in the order it checks them: communication time
// 10 to 50, time-out 100 to 1000, saver screen 1 to 65535, main screen 1 to
// 65535.
enum class PanelSettingsField { None, CommTime, Timeout, SaverScreen, MainScreen };

// The first field that `edited` fails on OK; None when every check passes.
PanelSettingsField RefusedPanelSetting(const PanelSettings& edited);

// The string id of the message of the first check that `edited` fails on OK;
// 0 when every check passes.
int PanelSettingsRefusal(const PanelSettings& edited);
// The string id of the message that refuses `field`; 0 for None.
int PanelSettingRefusalMessage(PanelSettingsField field);

// The store on OK comes in two halves that together write all fifteen
// values: the dialog writes the group and element of the control register,
// the clear-after-switch, project-lock and screen-saver flags and the link
// times; the view then copies the screens, the saver delay, the station, the
// port and both interaction switches.
void StoreDialogPanelSettings(const PanelSettings& edited, PanelSettings& stored);
void StoreViewPanelSettings(const PanelSettings& edited, PanelSettings& stored);

// The control register is an element of a 16-bit word group
// (GroupNamesOfType); the report register is the element after it in the
// same group.

// The element names of the first 16-bit word group named `group`, in table
// order; empty when there is none.
std::vector<std::string> ControlElementNames(const AddressTable& table, const std::string& group);

struct ControlRegisterNames {
    std::string group;
    std::string element;
};
// The group and element the dialog opens with: the stored group when the
// table has it (else the first 16-bit word group, empty when there is none);
// the stored element when that group holds it, else the group's first
// element (empty for a group without elements).
ControlRegisterNames OpeningControlRegister(const AddressTable& table, const PanelSettings& stored);

// The name of the element after `element` in `group`; empty when `element`
// is the group's last element or not in the group.
std::string ReportRegisterName(const AddressTable& table, const std::string& group, const std::string& element);
