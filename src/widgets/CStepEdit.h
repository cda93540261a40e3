#pragma once

#include <QWidget>

class QKeyEvent;
class QLineEdit;
class QToolButton;

// A text field with up and down arrows beside it, for the number fields of
// the pages and dialogs. Typing reports Edited(), with the text upper-cased
// (HEX digits show in upper case); an arrow, or the Up and Down keys in the
// field, reports Stepped(+1 or -1), at a steady pace while held, and leaves
// the text to the owner, which knows the number's format and range.
class CStepEdit : public QWidget {
    Q_OBJECT
public:
    explicit CStepEdit(QWidget* parent);

    QLineEdit* Edit() const { return m_edit; }
    QString Text() const;
    // Shows `text` with the caret at its end, without reporting it: a text
    // the owner refused gives way to the one it kept.
    void PutBack(const QString& text);
    // Makes the field as wide as it takes to show `text`, the longest value
    // it accepts, whole.
    void SetLongestText(const QString& text);
    // Makes the field wide enough for any 32-bit value in any number format
    // (-2147483648, 4294967295, FFFFFFFF), so that it keeps its width when
    // the format or the width of its value changes.
    void FitAnyValue();

signals:
    void Edited();
    void Stepped(int delta);

protected:
    // Up and Down, which the line edit leaves to its parent, step as the
    // arrows do.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnTextEdited(const QString& text);

    QLineEdit* m_edit;
    QToolButton* m_up;
    QToolButton* m_down;
};
