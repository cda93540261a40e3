#include "shell/ui/CCoolTabCtrl.h"

CCoolTabCtrl::CCoolTabCtrl(QWidget* parent)
    : QTabWidget(parent)
{
    setTabPosition(QTabWidget::South);
    setDocumentMode(false);
}

void CCoolTabCtrl::AddTab(QWidget* page, const QString& title)
{
    addTab(page, title);
}

void CCoolTabCtrl::UpdateTabs()
{
    if (count() > 0 && currentIndex() < 0)
        setCurrentIndex(0);
    update();
}

void CCoolTabCtrl::ActivateTab(int index)
{
    if (index < 0 || index >= count() || index == currentIndex())
        return;
    setCurrentIndex(index);
}
