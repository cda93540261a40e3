// The view's nine property pages: creating them, routing an element to the
// page of its kind, and the screen page.

#include "shell/ui/CVX50TextView.h"

#include "model/CVX50TextDoc.h"
#include "model/elements/CScreenElement.h"
#include "pages/ui/CBarGraphPropertyDlg.h"
#include "pages/ui/CCurvePropertyDlg.h"
#include "pages/ui/CDynTextPropertyDlg.h"
#include "pages/ui/CFuncKeyPropertyDlg.h"
#include "pages/ui/CLampPropertyDlg.h"
#include "pages/ui/CPicturePropertyDlg.h"
#include "pages/ui/CRegisterPropertyDlg.h"
#include "pages/ui/CScreenPropertyDlg.h"
#include "pages/ui/CTextPropertyDlg.h"
#include "shell/ui/CCJTreeCtrl.h"
#include "shell/ui/CElementListDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CPaneCtrl.h"

#include <QScrollArea>
#include <QVBoxLayout>

std::vector<CPropertyDlg*> CVX50TextView::Pages() const
{
    return {FuncKeyPage, BarGraphPage, DynTextPage, LampPage, PicturePage,
            RegisterPage, ScreenPage, TextPage, CurvePage};
}

void CVX50TextView::CreatePages()
{
    // The pages lie in one column of which only the shown page takes room.
    auto* stack = new QWidget;
    FuncKeyPage = new CFuncKeyPropertyDlg(m_document, stack);
    BarGraphPage = new CBarGraphPropertyDlg(m_document, stack);
    DynTextPage = new CDynTextPropertyDlg(m_document, stack);
    LampPage = new CLampPropertyDlg(m_document, stack);
    PicturePage = new CPicturePropertyDlg(m_document, stack);
    RegisterPage = new CRegisterPropertyDlg(m_document, stack);
    ScreenPage = new CScreenPropertyDlg(m_document, stack);
    TextPage = new CTextPropertyDlg(m_document, stack);
    CurvePage = new CCurvePropertyDlg(m_document, stack);
    auto* column = new QVBoxLayout(stack);
    column->setContentsMargins(0, 0, 0, 0);
    for (CPropertyDlg* page : Pages()) {
        page->hide();
        page->ResetAddressCombos(page->NewElementWidth());
        column->addWidget(page);
    }
    m_pageArea = new QScrollArea(this);
    m_pageArea->setFrameShape(QFrame::NoFrame);
    m_pageArea->setWidgetResizable(true);
    m_pageArea->setWidget(stack);
    stack->show();
    m_pageArea->show();
}

void CVX50TextView::ConnectPages()
{
    for (CPropertyDlg* page : Pages()) {
        connect(page, &CPropertyDlg::CanvasRepaintRequested, m_canvas, qOverload<>(&QWidget::update));
        connect(page, &CPropertyDlg::ElementRowChanged, this, [this] {
            if (m_frame.ScreenDataWindow)
                m_frame.ScreenDataWindow->RefreshList(0);
        });
    }
    connect(ScreenPage, &CScreenPropertyDlg::DescriptionChanged, this, [this](int number) {
        CCJTreeCtrl& tree = *m_frame.GetTreeCtrl();
        const ScreenRecord* screen = m_document.FindScreenByNumber(number);
        if (QTreeWidgetItem* item = tree.FindItemByData(tree.CurrentScreenItemData); item && screen)
            item->setText(0, CCJTreeCtrl::ScreenItemText(*screen));
    });
}

CPropertyDlg* CVX50TextView::PageOfTool(int tool) const
{
    switch (tool) {
    case ToolLamp:
        return LampPage;
    case ToolFuncKey:
        return FuncKeyPage;
    case ToolStaticText:
        return TextPage;
    case ToolDynamicText:
        return DynTextPage;
    case ToolRegister:
        return RegisterPage;
    case ToolBarGraph:
        return BarGraphPage;
    case ToolCurveGraph:
        return CurvePage;
    case ToolPicture:
        return PicturePage;
    default:
        return nullptr;
    }
}

CPropertyDlg* CVX50TextView::PageOf(const CScreenElement& element) const
{
    return PageOfTool(element.Tool());
}

void CVX50TextView::ShowElementPage(const std::shared_ptr<CScreenElement>& element, bool placed)
{
    CPropertyDlg* page = element ? PageOf(*element) : nullptr;
    if (!page)
        return;
    page->Bind(element);
    for (CPropertyDlg* other : Pages())
        if (other != page)
            other->hide();
    page->show();
    if (placed)
        page->LoadNewElement();
    else
        page->LoadFromElement();
}

void CVX50TextView::ShowPageAfterRestore()
{
    if (const std::shared_ptr<CScreenElement> element = m_document.ElementForPageAfterRestore())
        ShowElementPage(element, false);
    else
        ShowScreenPage();
}

void CVX50TextView::ShowScreenPage()
{
    if (!ScreenPage)
        return;
    if (const ScreenRecord* screen = m_document.FindScreenByNumber(m_document.CurrentScreenNumber))
        ScreenPage->Fill(*screen);
    HideElementPages();
    ScreenPage->show();
}

void CVX50TextView::HideElementPages()
{
    for (CPropertyDlg* page : Pages()) {
        if (page && page != ScreenPage)
            page->hide();
    }
}

void CVX50TextView::LoadAddressesOfAllElements()
{
    if (!ScreenPage)
        return;
    // Loading a page completes the names of the element bound to it.
    m_document.PrepareAllScreensForEdit();
    std::vector<std::shared_ptr<CScreenElement>> bound;
    for (CPropertyDlg* page : Pages())
        bound.push_back(page->BoundElement());
    const auto check = [this](const ElementList& elements) {
        for (const ElementRef& ref : elements) {
            if (CPropertyDlg* page = PageOf(*ref.element)) {
                page->Bind(ref.element);
                page->LoadAddressControls();
            }
        }
    };
    check(m_document.GetWorkingElements());
    for (const ScreenRecord& screen : m_document.GetScreens())
        check(screen.Elements);
    const std::vector<CPropertyDlg*> pages = Pages();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        pages[i]->Bind(bound[i]);
        if (bound[i] && pages[i]->isVisible())
            pages[i]->LoadFromElement();
    }
}
