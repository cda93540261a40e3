#include "shell/ui/CCJTreeCtrl.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "model/ScreenCommands.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CScreenSettingsDlg.h"
#include "shell/ui/CVX50TextView.h"
#include "shell/ui/GuiUserInterface.h"
#include "shell/ui/ScreenEditRefresh.h"
#include "widgets/UiText.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

namespace {

// The popup's commands, in menu order: string id and handler.
struct PopupCommand {
    int textId;
    void (CCJTreeCtrl::*handler)();
};
constexpr PopupCommand PopupCommands[] = {
    {IdsMenuNewScreen, &CCJTreeCtrl::OnNewScreen},
    {IdsMenuDeleteScreen, &CCJTreeCtrl::OnDeleteScreen},
    {IdsMenuCopyScreen, &CCJTreeCtrl::OnCopyScreen},
    {IdsMenuScreenProperties, &CCJTreeCtrl::OnScreenProperties},
    {IdsMenuInsertScreen, &CCJTreeCtrl::OnInsertScreen},
};

} // namespace

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

QString CCJTreeCtrl::ScreenItemText(const ScreenRecord& screen)
{
    if (!screen.Description.empty())
        return QStringFromGbk(screen.Description);
    return UiText(IdsDefaultScreenName) + QString::number(screen.Number);
}

void CCJTreeCtrl::ListScreens(const CVX50TextDoc& doc)
{
    QTreeWidgetItem* root = ScreensRoot();
    if (!root)
        return;
    qDeleteAll(root->takeChildren());
    std::vector<const ScreenRecord*> screens;
    for (const ScreenRecord& screen : doc.Screens)
        screens.push_back(&screen);
    std::stable_sort(screens.begin(), screens.end(),
        [](const ScreenRecord* a, const ScreenRecord* b) { return a->Number < b->Number; });
    for (const ScreenRecord* screen : screens)
        AppendScreenItem(ScreenItemText(*screen), screen->Number + ScreenDataOffset);
    root->setExpanded(true);
    if (QTreeWidgetItem* edited = FindItemByData(doc.CurrentScreenNumber + ScreenDataOffset)) {
        setCurrentItem(edited);
        CurrentScreenItemData = ItemData(edited);
    }
}

CMainFrame* CCJTreeCtrl::Frame() const
{
    for (QWidget* at = parentWidget(); at; at = at->parentWidget()) {
        if (auto* frame = qobject_cast<CMainFrame*>(at))
            return frame;
    }
    return nullptr;
}

void CCJTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (!item || !AcceptsInput())
        return;
    if (event->button() == Qt::RightButton) {
        OnRightClick(item, event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    ScreenDeletedMark = 0;
    QTreeWidget::mousePressEvent(event);
    setCurrentItem(item);
    const int data = ItemData(item);
    if (IsScreenData(data))
        CurrentScreenItemData = data;
    emit TreeSelect(true);
}

void CCJTreeCtrl::mouseMoveEvent(QMouseEvent*)
{
    // No drag selection: only clicks and keys move the selection, and each
    // of them switches the edited screen.
}

void CCJTreeCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (!item || !AcceptsInput())
        return;
    if (IsScreenData(ItemData(item)))
        RunScreenProperties();
    else
        QTreeWidget::mouseDoubleClickEvent(event);
}

void CCJTreeCtrl::OnRightClick(QTreeWidgetItem* item, const QPoint& globalPos)
{
    const int data = ItemData(item);
    RightClickedItemData = data;
    setCurrentItem(item);
    if (IsScreenData(data))
        CurrentScreenItemData = data;
    emit TreeSelect(false);
    if (!IsScreenData(data))
        return;
    ScreenDeletedMark = 0;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ScreenMenu"));
    for (const PopupCommand& command : PopupCommands)
        menu.addAction(UiText(command.textId))->setData(command.textId);
    const QAction* chosen = menu.exec(globalPos);
    if (!chosen)
        return;
    for (const PopupCommand& command : PopupCommands) {
        if (chosen->data().toInt() == command.textId)
            (this->*command.handler)();
    }
}

void CCJTreeCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        if (AcceptsInput())
            FollowScreenLink(event->key() == Qt::Key_Up);
        return;
    }
    // Any other key that moves the selection switches screens like a click,
    // or is undone while the tree takes no input.
    QTreeWidgetItem* before = currentItem();
    QTreeWidget::keyPressEvent(event);
    QTreeWidgetItem* after = currentItem();
    if (after == before)
        return;
    if (!AcceptsInput()) {
        setCurrentItem(before);
        return;
    }
    ScreenDeletedMark = 0;
    if (IsScreenData(ItemData(after)))
        CurrentScreenItemData = ItemData(after);
    emit TreeSelect(false);
}

void CCJTreeCtrl::FollowScreenLink(bool up)
{
    const CMainFrame* frame = Frame();
    const int selected = ItemData(currentItem());
    if (!frame || !IsScreenData(selected) || frame->GetDocument().Screens.empty())
        return;
    const CVX50TextDoc& doc = frame->GetDocument();
    const ScreenRecord* screen = doc.FindScreenByNumber(doc.CurrentScreenNumber);
    if (!screen)
        screen = &doc.Screens.front();
    const int target = (up ? screen->UpKeyScreen : screen->DownKeyScreen) + ScreenDataOffset;
    QTreeWidgetItem* item = FindItemByData(target);
    if (!item)
        return;
    ScreenDeletedMark = 0;
    setCurrentItem(item);
    CurrentScreenItemData = target;
    emit TreeSelect(false);
}

bool CCJTreeCtrl::MayAddScreen() const
{
    const CMainFrame* frame = Frame();
    return frame && IsScreenData(RightClickedItemData) && !RefuseAtScreenLimit(frame->GetDocument());
}

void CCJTreeCtrl::OnNewScreen()
{
    if (MayAddScreen())
        Frame()->GetDocument().OnNewScreen();
}

void CCJTreeCtrl::OnCopyScreen()
{
    if (MayAddScreen())
        Frame()->GetDocument().OnCopyScreen();
}

void CCJTreeCtrl::OnInsertScreen()
{
    if (MayAddScreen())
        Frame()->GetDocument().NewScreenFromTree();
}

void CCJTreeCtrl::OnScreenProperties()
{
    // The selected item: the right-clicked one for the popup, the edited
    // screen's for the menu command.
    if (IsScreenData(ItemData(currentItem())))
        RunScreenProperties();
}

void CCJTreeCtrl::RunScreenProperties()
{
    CMainFrame* frame = Frame();
    if (!frame || !frame->GetActiveView() || !frame->GetActiveView()->GetCanvas())
        return;
    CScreenSettingsDlg dialog(frame->GetDocument(), frame);
    if (RunModalDialog(dialog) == QDialog::Accepted)
        ShowEditedScreenAfterEdit(*frame);
}

void CCJTreeCtrl::OnDeleteScreen()
{
    CMainFrame* frame = Frame();
    if (!frame)
        return;
    const int data = ItemData(currentItem());
    if (!IsScreenData(data)) {
        CurrentUi().ShowMessage(IdsSelectScreenToDelete, MbOk);
        return;
    }
    // The screen of the selected item goes, whichever screen is edited.
    const int number = data - ScreenDataOffset;
    const std::string question =
        StringGbk(IdsDeleteScreenQuestion) + std::to_string(number) + StringGbk(IdsDeleteScreenQuestionEnd);
    if (CurrentUi().ShowMessageText(question, MbYesNo) == IdYes) {
        DeleteScreen(frame->GetDocument(), number);
        ListScreens(frame->GetDocument());
        ScreenDeletedMark = 1;
    }
    emit TreeSelect(false);
}
