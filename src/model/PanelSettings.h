#pragma once

#include <string>

// The panel-series settings of a project, with the values of a new project.
struct PanelSettings {
    int MainScreen = 1;          // the screen the panel shows first
    int ScreenSaverIndex = 0;    // 0 none, 1 to 8 from the dialog, 9 from stored data
    int ShowSaverScreen = 0;     // the screen saver shows SaverScreen
    int SaverScreen = 1;
    int BacklightOffOnSaver = 0;
    int AutoScreenSwitch = 0;    // the device picks the screen through the control register
    int ReportScreen = 0;        // the panel reports its screen to the register after it
    int ClearAfterSwitch = 0;    // the panel clears the control register after following it
    std::string ControlGroupName;   // 16-bit word group of the control register
    std::string ControlElementName; // the control register; the report register follows it
    int ControlPort = 0;         // 0 RS485, 1 COM1
    int PanelStation = 1;        // station of the device holding the control register
    int EncryptProject = 0;      // lock the project in the panel image
    int CommTime = 20;           // ms, 10 to 50
    int Timeout = 300;           // ms, 100 to 1000

    bool operator==(const PanelSettings&) const = default;
};
