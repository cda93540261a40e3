// The view's save core and the Save and Save As commands.

#include "shell/ui/CVX50TextView.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "model/projectfile/ProjectFile.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CPaneCtrl.h"
#include "shell/ui/CVX50TextApp.h"
#include "shell/ui/GuiUserInterface.h"

#include <QFileInfo>

CVX50TextView::SaveResult CVX50TextView::SaveProject()
{
    m_document.SaveCancelled = 0;
    m_document.TidyAndCommitWorkingElements();
    // The tidy commit may have dropped empty static texts.
    if (m_canvas)
        m_canvas->update();

    QString path = QString::fromStdString(m_document.ProjectPath);
    if (path.isEmpty() || SaveAs != 0) {
        // A file is replaced only once the user said so; No asks again.
        for (;;) {
            path = ChooseProjectFileModally(true);
            if (path.isEmpty()) {
                m_document.SaveCancelled = 1;
                return SaveResult::Cancelled;
            }
            if (!QFileInfo::exists(path))
                break;
            const std::string question = GbkFromQString(path) + StringGbk(IdsReplaceExistingFile);
            if (CurrentUi().ShowMessageText(question, MbYesNo | MbIconInformation) == IdYes)
                break;
        }
    }

    // The old file is replaced only by a complete new one; a failure says so
    // and keeps the project path.
    const bool displaySetting = !m_canvas || m_canvas->DisplaySetting == 1;
    if (!SaveProjectFile(m_document, path.toStdString(), displaySetting))
        return SaveResult::Failed;
    m_document.ProjectPath = path.toStdString();
    m_frame.UpdateTitle();
    if (CVX50TextApp* app = CVX50TextApp::Instance())
        app->RecentFiles().Add(path);
    return SaveResult::Written;
}

void CVX50TextView::OnFileSave()
{
    SaveAs = 0;
    if (SaveProject() == SaveResult::Written)
        m_document.ProjectModified = 0;
}

void CVX50TextView::OnFileSaveAs()
{
    SaveAs = 1;
    if (SaveProject() == SaveResult::Written)
        m_document.ProjectModified = 0;
}
