#pragma once

#include <QDialog>

class QLineEdit;

// "请输入密码": the project password of a locked panel, exactly four digits.
// OK with anything else empties the field, shows IdsEnterPassword and keeps
// the dialog open.
class CPasswordDlg : public QDialog {
    Q_OBJECT

public:
    explicit CPasswordDlg(QWidget* parent = nullptr);

    // The accepted password's value ("0099" is 99).
    int Password() const { return m_password; }

    void accept() override;

private:
    QLineEdit* m_text;
    int m_password = 0;
};
