#pragma once

#include "model/DeviceChoice.h"

#include <QDialog>

#include <string>

class CVX50TextDoc;
class QButtonGroup;
class QComboBox;
class QSpinBox;

// "新建与选择设备": the user chooses the project's device from the program
// folder's devices (or creates one), sets the panel's two port parameter
// sets, the default port and the default station. OK applies the choice
// through ApplyDeviceChoice and stays open when the device cannot be read;
// Cancel puts back the device the dialog opened with (name, keys and table),
// also after a new device was created.
class CDeviceSelectDlg : public QDialog {
    Q_OBJECT
public:
    // `editing`: a project is being edited, so a device change resets what
    // names device addresses.
    CDeviceSelectDlg(CVX50TextDoc& document, bool editing, QWidget* parent = nullptr);

    void OnRs485Params();
    void OnCom1Params();
    void OnNewDevice();
    void OnOK();
    void OnCancel();

    // The settings the dialog would apply now.
    const DeviceChoice& Pending() const { return m_pending; }

protected:
    void reject() override;

private:
    // Fills the device list from the program folder (also the project's
    // device names) and selects the last selection, or the project's device.
    void ListDevices();
    void EditPortSet(PortSettings& set);

    CVX50TextDoc& m_document;
    const bool m_editing;
    const std::string m_nameAtOpen;
    const DeviceState m_stateAtOpen;
    DeviceChoice m_pending;
    QComboBox* m_devices;
    QButtonGroup* m_defaultPort;
    QSpinBox* m_station;
};
