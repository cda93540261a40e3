#include "shell/ui/CVX50TextView.h"

#include "shell/ui/CCJTreeCtrl.h"
#include "shell/ui/CElementListDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CPaneCtrl.h"
#include "model/CVX50TextDoc.h"

#include <QSignalBlocker>

void CVX50TextView::GoToElement(int screenIndex, int elementIndex, int kind)
{
    std::vector<ScreenRecord>& screens = m_document.GetScreens();
    if (screenIndex < 0 || screenIndex >= static_cast<int>(screens.size()))
        return;
    const ScreenRecord& screen = screens[static_cast<std::size_t>(screenIndex)];
    if (elementIndex < 0 || elementIndex >= static_cast<int>(screen.Elements.size()))
        return;

    // The screen's own item, found by its number: the tree lists screens in
    // number order, which need not be the document's order.
    CCJTreeCtrl& tree = *m_frame.GetTreeCtrl();
    const int itemData = screen.Number + CCJTreeCtrl::ScreenDataOffset;
    if (QTreeWidgetItem* item = tree.FindItemByData(itemData)) {
        const QSignalBlocker quiet(&tree);
        tree.setCurrentItem(item);
        tree.CurrentScreenItemData = itemData;
    }

    m_document.EditScreen(screen.Number);
    for (const ElementRef& ref : screen.Elements)
        ref.element->Selected = 0;
    HideElementPages();
    const std::shared_ptr<CScreenElement>& element = screen.Elements[static_cast<std::size_t>(elementIndex)].element;
    element->Selected = 1;
    const bool hasPage = kind >= KindFuncKey && kind <= KindGraph;
    if (hasPage)
        ShowElementPage(element, false);
    if (m_frame.ScreenDataWindow)
        m_frame.ScreenDataWindow->RefreshList(1);
    if (m_canvas)
        m_canvas->update();
}
