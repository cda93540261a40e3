#pragma once

#include <QLineEdit>

// The edit of one four-digit password. A click selects the one digit under
// the mouse, a drag the digits it covers, so that typing overwrites digits
// instead of inserting them (the dialog keeps the text at four digits).
class CDigitEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CDigitEdit(QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The character position under the last mouse press.
    int m_pressPosition = 0;
};
