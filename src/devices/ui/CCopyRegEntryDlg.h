#pragma once

#include <QDialog>

#include <string>

class CElementNameCombo;
class CSpinEdit;
class CVX50TextDoc;
class QComboBox;
class QRadioButton;

// The new target of a copy-register group: station, port, and the 16-bit
// word group and start element the registers are written at. It offers the
// first group and its first element at the start; the opener reads the
// fields after OK. Choosing a start element marks the project modified at
// once, as in the copy-registers dialog.
class CCopyRegEntryDlg : public QDialog {
    Q_OBJECT
public:
    CCopyRegEntryDlg(CVX50TextDoc& document, QWidget* parent);

    int Station() const { return m_stationValue; }
    int Port() const { return m_port; }
    const std::string& StartElement() const { return m_startElement; }
    const std::string& ElementGroup() const { return m_elementGroup; }

    void OnOK();

private:
    void OnStationChange();
    void OnGroupChange(int index);

    CVX50TextDoc& m_document;
    int m_stationValue = 1;
    int m_port = 0; // 0 RS485, 1 COM1
    std::string m_elementGroup;
    std::string m_startElement;

    CSpinEdit* m_station;
    QRadioButton* m_rs485;
    QRadioButton* m_com1;
    QComboBox* m_group;
    CElementNameCombo* m_start;
};
