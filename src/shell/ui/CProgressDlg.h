#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

// The small modeless window that reports a long operation running on the
// user-interface thread (saving, loading, compiling, writing, reading): a
// caption, one line of text and a bar. It has no buttons; the operation
// drives it and destroys it at its end.
class CProgressDlg : public QDialog {
    Q_OBJECT
public:
    explicit CProgressDlg(QWidget* parent = nullptr);

    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    void SetText(const QString& text);
    // The bar runs from 0 to `maximum`; 0 to 15 when created.
    void SetRange(int maximum);
    // A position past the range's end shows a full bar.
    void SetPos(int position);

    QString Text() const;
    int Maximum() const;
    int Position() const;

private:
    QLabel* m_text;
    QProgressBar* m_bar;
};
