#pragma once

#include <QLineEdit>

class CAlarmListCtrl;

// The one-line editor the alarm grid lays over a text cell. Every change the
// user makes goes to the grid at once. Enter, Up, Down and the wheel are the
// grid's; Tab does nothing, so neither moves the dialog's focus or presses
// its OK. Losing the focus to another widget of the dialog tells the grid
// (which commits or tidies); losing it to another window does not.
class CAlarmCellEdit : public QLineEdit {
    Q_OBJECT
public:
    CAlarmCellEdit(CAlarmListCtrl* grid, const QString& text, bool selectAll);

    // The grid closes the editor: its focus loss no longer counts.
    void Detach() { m_grid = nullptr; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CAlarmListCtrl* m_grid;
};
