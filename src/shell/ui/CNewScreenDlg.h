#pragma once

#include <QDialog>

class CMainFrame;
class QLineEdit;
class QSpinBox;

// The new-screen dialog: a number and a description for a new screen, added
// in number order or, in insert mode, inserted at its number with the screens
// from there up moved one number higher. It proposes one above the highest
// number in use with its default description, which follows the number
// until the user edits it. A refused input (number in use, description over
// 20 bytes) is reported and the dialog stays open with it.
class CNewScreenDlg : public QDialog {
    Q_OBJECT
public:
    CNewScreenDlg(CMainFrame& frame, bool insertMode);

    // The screen is created and shown, then the dialog ends with OK; after a
    // refusal it stays open.
    void OnOK();

private:
    void OnNumberChange(int number);

    CMainFrame& m_frame;
    bool m_insertMode;
    int m_number;
    QSpinBox* m_numberEdit;
    QLineEdit* m_description;
};
