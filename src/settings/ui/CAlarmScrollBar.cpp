#include "settings/ui/CAlarmScrollBar.h"

#include "settings/AlarmGridLayout.h"

CAlarmScrollBar::CAlarmScrollBar(QWidget* parent)
    : QScrollBar(Qt::Vertical, parent)
{
    setObjectName(QStringLiteral("alarmScrollBar"));
    setFocusPolicy(Qt::NoFocus);
    setSingleStep(AlarmGridLayout::RowHeight);
    setPageStep(0);
}
