#pragma once

#include "settings/PasswordRows.h"

#include <QDialog>

#include <array>

class CDigitEdit;
class CVX50TextDoc;
class QCheckBox;
class QComboBox;

// The password-levels dialog: six rows of a check box, a four-digit
// password and a level. A checked row is a password of the project. OK
// rebuilds the document's password table from the checked rows and keeps
// every protected item within the levels they define; Cancel changes
// nothing.
class CPasswordLevelDlg : public QDialog {
    Q_OBJECT
public:
    CPasswordLevelDlg(CVX50TextDoc& doc, QWidget* parent);

    void OnOK();

private:
    struct RowControls {
        QCheckBox* check = nullptr;
        CDigitEdit* password = nullptr;
        QComboBox* level = nullptr;
    };

    void OnInitDialog();
    void OnCheckRow(int row);
    void OnChangePassword(int row);
    void ShowRow(int row);

    CVX50TextDoc& m_doc;
    PasswordRows m_rows;
    std::array<RowControls, kPasswordRowCount> m_controls;
};
