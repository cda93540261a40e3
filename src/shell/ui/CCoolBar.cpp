#include "shell/ui/CCoolBar.h"

CCoolBar::CCoolBar(const QString& title, QWidget* parent, int width)
    : QDockWidget(title, parent)
{
    setObjectName(QStringLiteral("DockingWindow"));
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::LeftDockWidgetArea);
    setFixedWidth(width);
}
