#pragma once

#include <QDialog>

class QSpinBox;

// "PAGE SET": the first and last page of the page download, each 0 to 255.
// The caller stores the pages on OK.
class CPageSetDlg : public QDialog {
    Q_OBJECT

public:
    CPageSetDlg(int startPage, int endPage, QWidget* parent = nullptr);

    int StartPage() const;
    int EndPage() const;

private:
    QSpinBox* m_start;
    QSpinBox* m_end;
};
