#pragma once

#include "pages/ui/CPropertyDlg.h"

class CSpinEdit;
class QLabel;
class QLineEdit;
class QRadioButton;
struct ScreenRecord;

// The page of the edited screen: its number, and its description, the
// screens the panel's Up and Down keys show, and its port, each written into
// the screen as it changes (modified flag, one undo snapshot). The main
// window fills it; filling writes nothing back.
class CScreenPropertyDlg : public CPropertyDlg {
    Q_OBJECT
public:
    CScreenPropertyDlg(CVX50TextDoc& document, QWidget* parent);

    // Shows `screen`; the page edits it from now on.
    void Fill(const ScreenRecord& screen);

    // What the page shows: "画面号:" and the number, the description, the
    // key screens and the port (-1 while no port button is checked).
    QString NumberText() const;
    QString Description() const;
    int UpScreen() const;
    int DownScreen() const;
    int Port() const;

signals:
    // The description of screen `number` changed: its tree item follows.
    void DescriptionChanged(int number);

private:
    // The screen the page was filled with; null when there is none.
    ScreenRecord* Screen() const;
    void OnDescriptionChange();
    void OnKeyScreenChange(CSpinEdit* field, int ScreenRecord::*link);
    void OnPortClick(int port);
    void ShowPort(int port);

    int m_number = 0;
    QLabel* m_numberLabel;
    QLineEdit* m_description;
    CSpinEdit* m_up;
    CSpinEdit* m_down;
    QRadioButton* m_rs485;
    QRadioButton* m_com1;
};
