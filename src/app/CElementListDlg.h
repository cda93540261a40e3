#pragma once

#include <QWidget>

class QListWidget;

// The screen-data window at the right of the view: one row per element of
// the edited screen.
class CElementListDlg : public QWidget {
public:
    explicit CElementListDlg(QWidget* parent);

    // Rebuilds the rows (rebuild 1) or refreshes their texts.
    void RefreshList(int rebuild);

private:
    QListWidget* m_list;
};
