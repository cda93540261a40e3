#include "shell/ui/CanvasPages.h"

#include "shell/ui/CElementListDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CVX50TextView.h"
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

CanvasPages::CanvasPages(CVX50TextView& view, CMainFrame& frame)
    : m_view(view)
    , m_frame(frame)
{
}

CPropertyDlg* CanvasPages::PageOf(const CScreenElement& element) const
{
    switch (element.Tool()) {
    case ToolLamp:
        return m_view.LampPage;
    case ToolFuncKey:
        return m_view.FuncKeyPage;
    case ToolStaticText:
        return m_view.TextPage;
    case ToolDynamicText:
        return m_view.DynTextPage;
    case ToolRegister:
        return m_view.RegisterPage;
    case ToolBarGraph:
        return m_view.BarGraphPage;
    case ToolCurveGraph:
        return m_view.CurvePage;
    case ToolPicture:
        return m_view.PicturePage;
    default:
        return nullptr;
    }
}

void CanvasPages::ShowElementPage(const std::shared_ptr<CScreenElement>& element, bool placed)
{
    CPropertyDlg* page = PageOf(*element);
    if (!page)
        return;
    for (CPropertyDlg* other : m_view.Pages())
        if (other && other != page)
            other->hide();
    page->show();
    page->Bind(element);
    if (placed)
        page->LoadNewElement();
    else
        page->LoadFromElement();
}

void CanvasPages::ShowScreenPage()
{
    m_view.ShowScreenPage();
}

void CanvasPages::HideScreenPage()
{
    if (m_view.ScreenPage)
        m_view.ScreenPage->hide();
}

void CanvasPages::LoadPagePosition(const std::shared_ptr<CScreenElement>& element)
{
    if (CPropertyDlg* page = PageOf(*element)) {
        page->Bind(element);
        page->LoadPosition();
    }
}

void CanvasPages::SelectListRowsOfSelection()
{
    if (m_frame.ScreenDataWindow)
        m_frame.ScreenDataWindow->SelectRowsOfSelectedElements();
}

void CanvasPages::RunCommand(int commandId)
{
    m_frame.ExecuteCommand(commandId);
}
