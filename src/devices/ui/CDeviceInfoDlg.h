#pragma once

#include <QDialog>

class CVX50TextDoc;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QSpinBox;

// "设备信息": creates a user-defined device. The user names it (at most 20
// bytes), picks its protocol library, its communication buffer length and
// the word order of its 32-bit registers. OK hands them to CreateNewDevice,
// which writes the device's file before the project takes the device; the
// dialog stays open on a refusal.
class CDeviceInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDeviceInfoDlg(CVX50TextDoc& document, QWidget* parent = nullptr);

    void OnOK();

    static constexpr int MaxNameBytes = 20;

private:
    // The protocol libraries a new device may use, the project's selected.
    void FillProtocols();

    CVX50TextDoc& m_document;
    QLineEdit* m_name;
    QComboBox* m_protocols;
    QSpinBox* m_bufferLength;
    QButtonGroup* m_wordOrder;
};
