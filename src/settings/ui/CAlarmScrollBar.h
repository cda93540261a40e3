#pragma once

#include <QScrollBar>

// The alarm grid's own vertical scroll bar, shown while a segment has more
// rows than fit. A step is one row of 20 pixels; there are no pages. It never
// takes the focus, so scrolling reaches the grid while the editor has it.
class CAlarmScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit CAlarmScrollBar(QWidget* parent);
};
