#include "app/CCJTreeCtrl.h"

#include <QMouseEvent>

CCJTreeCtrl::CCJTreeCtrl(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
}

int CCJTreeCtrl::ItemData(const QTreeWidgetItem* item)
{
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

void CCJTreeCtrl::SetItemData(QTreeWidgetItem* item, int data)
{
    item->setData(0, Qt::UserRole, data);
}

void CCJTreeCtrl::ResetRoots(const QString& screens, const QString& addressTable, const QColor& color)
{
    clear();
    auto* screensRoot = new QTreeWidgetItem(this, {screens});
    SetItemData(screensRoot, ScreensRootData);
    SetItemColor(screensRoot, color);
    auto* addressRoot = new QTreeWidgetItem(this, {addressTable});
    SetItemData(addressRoot, AddressRootData);
    SetItemColor(addressRoot, color);
    screensRoot->setExpanded(true);
}

QTreeWidgetItem* CCJTreeCtrl::AppendScreenItem(const QString& text, int data)
{
    auto* item = new QTreeWidgetItem(ScreensRoot(), {text});
    SetItemData(item, data);
    return item;
}

QTreeWidgetItem* CCJTreeCtrl::GetNextTreeItem(QTreeWidgetItem* item) const
{
    if (!item)
        return nullptr;
    if (item->childCount() > 0)
        return item->child(0);
    for (QTreeWidgetItem* at = item; at; at = at->parent()) {
        QTreeWidgetItem* parent = at->parent();
        const int index = parent ? parent->indexOfChild(at) : indexOfTopLevelItem(at);
        const int siblings = parent ? parent->childCount() : topLevelItemCount();
        if (index + 1 < siblings)
            return parent ? parent->child(index + 1) : topLevelItem(index + 1);
    }
    return nullptr;
}

QTreeWidgetItem* CCJTreeCtrl::GetPrevTreeItem(QTreeWidgetItem* item) const
{
    if (!item)
        return nullptr;
    QTreeWidgetItem* parent = item->parent();
    const int index = parent ? parent->indexOfChild(item) : indexOfTopLevelItem(item);
    if (index > 0)
        return GetLastTreeItem(parent ? parent->child(index - 1) : topLevelItem(index - 1));
    return parent;
}

QTreeWidgetItem* CCJTreeCtrl::GetLastTreeItem(QTreeWidgetItem* item) const
{
    QTreeWidgetItem* at = item ? item : topLevelItem(0);
    while (at && at->childCount() > 0)
        at = at->child(at->childCount() - 1);
    return at;
}

QTreeWidgetItem* CCJTreeCtrl::FindItemByData(int data) const
{
    for (QTreeWidgetItem* at = topLevelItem(0); at; at = GetNextTreeItem(at)) {
        if (ItemData(at) == data)
            return at;
    }
    return nullptr;
}

void CCJTreeCtrl::SetItemColor(QTreeWidgetItem* item, const QColor& color)
{
    item->setForeground(0, color);
}

void CCJTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (!item || (m_acceptsClicks && !m_acceptsClicks()))
        return;
    if (event->button() == Qt::LeftButton)
        ScreenDeletedMark = 0;
    QTreeWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    setCurrentItem(item);
    const int data = ItemData(item);
    if (data != ScreensRootData && data != AddressRootData)
        CurrentScreenItemData = data;
    emit TreeSelect(true);
}
