#include "shell/ui/ProjectOpen.h"

#include "shell/ui/CMainFrame.h"
#include "shell/ui/CPaneCtrl.h"
#include "shell/ui/CVX50TextView.h"
#include "shell/ui/GuiUserInterface.h"
#include "shell/ui/ScreenEditRefresh.h"
#include "model/CVX50TextDoc.h"
#include "model/projectfile/ProjectFile.h"

namespace {

// File New as opening runs it: no device question, the project is reset.
// True when it ran to its end.
bool RunFileNewForOpening(CVX50TextView& view, CVX50TextDoc& doc)
{
    view.AskDeviceOnNew = 0;
    doc.ResetOnNew = 1;
    view.OnFileNew();
    // File New sets the flag back when it ran to its end.
    const bool ranToEnd = view.AskDeviceOnNew == 1;
    view.AskDeviceOnNew = 1;
    doc.ResetOnNew = 0;
    return ranToEnd;
}

} // namespace

bool OpenProjectInto(CMainFrame& frame, const QString& path)
{
    CVX50TextView& view = *frame.GetActiveView();
    CVX50TextDoc& doc = frame.GetDocument();
    if (!RunFileNewForOpening(view, doc)) {
        frame.UpdateTitle();
        return false;
    }

    bool displaySetting = !view.GetCanvas() || view.GetCanvas()->DisplaySetting == 1;
    // A file that cannot be read leaves the new project opening started from.
    const bool read = OpenProjectFile(doc, path.toStdString(), displaySetting);
    if (read) {
        doc.ProjectPath = path.toStdString();
        if (view.GetCanvas())
            view.GetCanvas()->DisplaySetting = displaySetting ? 1 : 0;
    }
    ShowEditedScreenAfterEdit(frame);
    frame.UpdateTitle();
    return read;
}

QString OpenProjectWithDialog(CMainFrame& frame)
{
    const QString path = ChooseProjectFileModally(false);
    if (path.isEmpty())
        return {};
    frame.GetDocument().TidyAndCommitWorkingElements();
    return OpenProjectInto(frame, path) ? path : QString();
}
