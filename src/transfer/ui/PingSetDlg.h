#pragma once

#include <QDialog>

class QLineEdit;

// "Ping Set": takes a station address as up to 4 hexadecimal digits. OK
// keeps the dialog open on a character that is not a hexadecimal digit
// (message IdsEnterHex) and, silently, on a value above 0xFF; an empty text is 0.
class CPingSetDlg : public QDialog {
    Q_OBJECT

public:
    explicit CPingSetDlg(QWidget* parent = nullptr);

    // The accepted address, 0 to 255.
    int StationAddress() const { return m_stationAddress; }

    void accept() override;

private:
    QLineEdit* m_address;
    int m_stationAddress = 0;
};
