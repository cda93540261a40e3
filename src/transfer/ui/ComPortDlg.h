#pragma once

#include "transfer/ComPortNames.h"

#include <QDialog>

class QComboBox;

// "选择通信口": chooses the PC's COM port that write and read use. Choosing a
// number changes the program's COM-port number at once (Cancel keeps it);
// beside it the user can point that number at a serial device, kept in the
// settings on OK. The caller copies the number into the project on OK.
class CComPortDlg : public QDialog {
    Q_OBJECT

public:
    explicit CComPortDlg(QWidget* parent = nullptr);

    void accept() override;

private:
    void OnPortChosen(int index);
    void ShowDevice();

    QComboBox* m_ports;  // "COM1" to "COM32"
    QComboBox* m_device; // the device of the chosen number
    ComPortMap m_map;
    QStringList m_systemPorts;
};
