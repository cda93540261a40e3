#pragma once

#include <QDialog>

class CVX50TextDoc;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// The screen-properties dialog of the edited screen: its description, the
// screens of the panel's Up and Down keys and its port. OK writes them into
// the screen (with an undo snapshot); a description over 20 bytes is
// reported and the dialog stays open.
class CScreenSettingsDlg : public QDialog {
    Q_OBJECT
public:
    CScreenSettingsDlg(CVX50TextDoc& doc, QWidget* parent);

    void OnOK();

private:
    CVX50TextDoc& m_doc;
    int m_number;
    int m_port = -1;
    QLineEdit* m_description;
    QSpinBox* m_up;
    QSpinBox* m_down;
    QRadioButton* m_rs485;
    QRadioButton* m_com1;
};
