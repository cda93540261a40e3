#pragma once

#include <QDialog>

class CVX50TextDoc;
class QSpinBox;

// The copy-screen dialog: asks for the number the edited screen is copied
// to. It proposes one above the last rising number of the screens list; the
// copy itself (and its checks) is the document's.
class CCopyScreenDlg : public QDialog {
    Q_OBJECT
public:
    CCopyScreenDlg(const CVX50TextDoc& doc, QWidget* parent);

    // The accepted target, 1 to 65535.
    int Target() const;

private:
    QSpinBox* m_target;
};
