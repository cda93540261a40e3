#include "shell/ui/ScreenEditRefresh.h"

#include "shell/ui/CCJTreeCtrl.h"
#include "shell/ui/CElementListDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CPaneCtrl.h"
#include "shell/ui/CVX50TextView.h"

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
