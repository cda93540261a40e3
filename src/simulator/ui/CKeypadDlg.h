#pragma once

#include <QWidget>

// The keypad window of the simulation: a picture of the panel with its 24
// keys. The view creates it once, hidden, and shows it while simulating.
class CKeypadDlg : public QWidget {
public:
    explicit CKeypadDlg(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};
