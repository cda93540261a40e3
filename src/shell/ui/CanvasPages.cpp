#include "shell/ui/CanvasPages.h"

#include "shell/ui/CElementListDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CVX50TextView.h"
#include "model/elements/CScreenElement.h"
#include "pages/ui/CPropertyDlg.h"
#include "pages/ui/CScreenPropertyDlg.h"

CanvasPages::CanvasPages(CVX50TextView& view, CMainFrame& frame)
    : m_view(view)
    , m_frame(frame)
{
}

void CanvasPages::ShowElementPage(const std::shared_ptr<CScreenElement>& element, bool placed)
{
    m_view.ShowElementPage(element, placed);
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
    if (CPropertyDlg* page = m_view.PageOf(*element)) {
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
