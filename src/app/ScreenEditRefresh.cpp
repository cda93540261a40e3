#include "app/ScreenEditRefresh.h"

#include "app/CCJTreeCtrl.h"
#include "app/CElementListDlg.h"
#include "app/CMainFrame.h"
#include "app/CPaneCtrl.h"
#include "app/CVX50TextView.h"

void ShowEditedScreenAfterEdit(CMainFrame& frame)
{
    frame.GetTreeCtrl()->ListScreens(frame.GetDocument());
    if (CVX50TextView* view = frame.GetActiveView()) {
        if (view->GetCanvas())
            view->GetCanvas()->update();
        view->ShowScreenPage();
    }
    if (frame.ScreenDataWindow)
        frame.ScreenDataWindow->RefreshList(1);
    frame.RefreshCommandStates();
}
