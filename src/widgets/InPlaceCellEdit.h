#pragma once

#include <QLineEdit>

class InPlaceEditList;

// The line editor laid over one cell of an InPlaceEditList. It keeps the
// keys that edit a cell (Enter, Esc, Tab, the arrows, Delete, every Ctrl
// key) for itself, so that the dialog around the list neither presses its
// default button nor moves its focus. It ends when it loses the focus to
// another widget; losing it to another window (a message box, another
// application) only pauses it.
class InPlaceCellEdit : public QLineEdit {
    Q_OBJECT
public:
    InPlaceCellEdit(InPlaceEditList* list, int row, int column, const QString& initialText);

    int Row() const { return m_row; }
    int Column() const { return m_column; }

protected:
    friend class InPlaceEditList;
    // Shows the initial text, takes the focus and selects the whole text.
    void Start();
    // Called once the initial text is shown, before the editor takes the focus.
    virtual void Opened() {}
    // The editor lost the focus to another widget of its window.
    virtual void FocusLost() = 0;

    // Widens the editor to fit `text` (plus 5 pixels), at most to the list's
    // right edge.
    void WidenToText(const QString& text);
    // Puts `text` into the editor's cell.
    void CommitToCell(const QString& text);
    // Esc: marks the editor cancelled and gives the focus to the list.
    void Cancel();
    // Takes the focus back after refusing to end.
    void Resume();
    // Ends the editor: the list forgets it; it hides and is deleted later.
    void Close();
    bool IsClosed() const { return m_closed; }

    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    InPlaceEditList* m_list;
    int m_row;
    int m_column;
    QString m_initialText;
    // Set by Esc: the ending editor commits no text.
    bool m_cancelled = false;

private:
    bool m_closed = false;
};
