#pragma once

#include "pages/ui/CPropertyDlg.h"

class QLabel;
class QLineEdit;
class QSpinBox;
class QRadioButton;

// The screen page: number, description, the screens of the panel's Up and
// Down keys, and the port of the edited screen. Callers set the fields, then
// LoadControls moves them into the controls.
class CScreenPropertyDlg : public CPropertyDlg {
public:
    explicit CScreenPropertyDlg(QWidget* parent);

    QString NumberText;   // "画面号:" followed by the number
    QString Description;
    int UpScreen = 1;
    int DownScreen = 1;
    int Port = -1;        // 0 RS485, 1 COM1, -1 none chosen

    void LoadControls();

private:
    QLabel* m_number;
    QLineEdit* m_description;
    QSpinBox* m_up;
    QSpinBox* m_down;
    QRadioButton* m_rs485;
    QRadioButton* m_com1;
};
