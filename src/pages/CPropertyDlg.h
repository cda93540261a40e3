#pragma once

#include <QFrame>

// Base of the nine modeless property pages that stand below the canvas. The
// view creates them once, hidden, and shows one at a time.
class CPropertyDlg : public QFrame {
public:
    explicit CPropertyDlg(QWidget* parent);
};
