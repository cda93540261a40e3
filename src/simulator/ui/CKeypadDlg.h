#pragma once

#include <QWidget>

class SimulatedKeypad;

// The keypad window of the simulation: a picture of the panel's face whose
// 24 keys are pressed with the mouse. The view creates it once, hidden, and
// shows it while simulating, with the canvas over the face's display.
//
// A press goes to the keypad at once (SimulatedKeypad::PressKey) and the
// release after it; the keypad keeps the release until the press's
// exchanges have ended, so that a quick click never releases a momentary key
// before its press has been written. The window never waits for them. With a face named by the resource
// file (string IdsKeypadFaceName, "ZAVO" or "MERDO") the pressed key is drawn
// held down until the release.
class CKeypadDlg : public QWidget {
public:
    // Beeps with the platform's beep until the keypad is given another
    // beeper.
    CKeypadDlg(SimulatedKeypad& keypad, QWidget* parent);

    // Client coordinates of the last press.
    int LastPressX = 0;
    int LastPressY = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
    // A double click's second press comes as a double click, which the
    // widget hands to mousePressEvent: the key is pressed again.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    SimulatedKeypad& m_keypad;
    int m_pressedKey = -1; // the key drawn held down, -1 none
    QRect m_pressedPicture;
};
