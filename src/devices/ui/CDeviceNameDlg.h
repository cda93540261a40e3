#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QLineEdit;

// Asks for the name of a new device, under which the address-table editor's
// Save As writes the table. It proposes the project's device name; OK takes
// the name without blanks at either end once DeviceNameRefusal accepts it.
class CDeviceNameDlg : public QDialog {
    Q_OBJECT
public:
    CDeviceNameDlg(const std::string& deviceName, std::vector<std::string> deviceNames, QWidget* parent);

    void OnOK();
    // The accepted name (GBK).
    const std::string& Name() const { return m_name; }

private:
    std::vector<std::string> m_deviceNames;
    std::string m_name;
    QLineEdit* m_nameEdit;
};
