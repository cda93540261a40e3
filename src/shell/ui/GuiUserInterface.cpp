#include "shell/ui/GuiUserInterface.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "model/CVX50TextDoc.h"
#include "pages/ui/CPropertyDlg.h"
#include "shell/ui/CCopyScreenDlg.h"
#include "shell/ui/CElementListDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNewScreenDlg.h"
#include "shell/ui/CPaneCtrl.h"
#include "shell/ui/CProgressDlg.h"
#include "shell/ui/CVX50TextView.h"
#include "widgets/FileDialogFolders.h"
#include "widgets/MessageBoxTitle.h"
#include "widgets/UiText.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon IconOf(unsigned flags)
{
    switch (flags & 0xF0) {
    case MbIconStop: return QMessageBox::Critical;
    case MbIconQuestion: return QMessageBox::Question;
    case MbIconWarning: return QMessageBox::Warning;
    case MbIconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

GuiUserInterface::GuiUserInterface(CMainFrame& frame)
    : m_frame(frame)
    , m_previous(InstallUi(this))
{
}

GuiUserInterface::~GuiUserInterface()
{
    InstallUi(m_previous);
}

int GuiUserInterface::ShowMessage(int stringId, unsigned flags)
{
    return RunMessageBox(UiText(stringId), flags);
}

int GuiUserInterface::ShowMessageText(const std::string& gbkText, unsigned flags)
{
    return RunMessageBox(QStringFromGbk(gbkText), flags);
}

QWidget* GuiUserInterface::MessageOwner() const
{
    // The window the user works in: a modal dialog, else the active window;
    // the progress window only reports, so its messages belong to the main
    // window below it.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    QWidget* active = QApplication::activeWindow();
    if (!active || qobject_cast<CProgressDlg*>(active))
        return &m_frame;
    return active;
}

int GuiUserInterface::RunMessageBox(const QString& text, unsigned flags)
{
    QMessageBox box(IconOf(flags), UiText(IdsAppTitle), text, QMessageBox::NoButton, MessageOwner());
    switch (flags & 0x0F) {
    case MbOkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MbYesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    case MbYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    FitTitle(box);
    switch (box.exec()) {
    case QMessageBox::Yes: return IdYes;
    case QMessageBox::No: return IdNo;
    case QMessageBox::Cancel: return IdCancel;
    default: return IdOk;
    }
}

CVX50TextView* GuiUserInterface::ProgressView() const
{
    // While the view's progress flag is 0 (File Open, opening by path and
    // Read run File New), the save that File New's prompt may start neither
    // shows a window of its own nor takes over the operation's.
    CVX50TextView* view = m_frame.GetActiveView();
    return view && view->AskDeviceOnNew == 1 ? view : nullptr;
}

bool GuiUserInterface::ProgressBegin(int total)
{
    CVX50TextView* view = ProgressView();
    if (!view)
        return true;
    const bool created = !view->ProgressWindow;
    if (created) {
        view->ProgressWindow = new CProgressDlg(&m_frame);
        view->ProgressWindow->show();
        if (!view->ProgressWindow->isVisible()) {
            ShowMessage(IdsProgressCreateFailed);
            ProgressEnd();
            return false;
        }
    }
    view->ProgressWindow->SetRange(total);
    view->ProgressWindow->SetPos(0);
    // A new window is painted once its caption and text are in
    // (ProgressCaption follows).
    if (!created)
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return true;
}

void GuiUserInterface::ProgressCaption(int captionId, int textId)
{
    CVX50TextView* view = ProgressView();
    if (!view || !view->ProgressWindow)
        return;
    view->ProgressWindow->SetCaption(UiText(captionId));
    view->ProgressWindow->SetText(UiText(textId));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void GuiUserInterface::ProgressStep(int position)
{
    CVX50TextView* view = ProgressView();
    if (!view || !view->ProgressWindow)
        return;
    view->ProgressWindow->SetPos(position);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void GuiUserInterface::ProgressEnd()
{
    CVX50TextView* view = ProgressView();
    if (!view || !view->ProgressWindow)
        return;
    delete view->ProgressWindow;
    view->ProgressWindow = nullptr;
}

void GuiUserInterface::RebuildProjectTree()
{
    m_frame.RebuildProjectTree();
}

void GuiUserInterface::ShowScreenItem(int number, const std::string& gbkText)
{
    m_frame.ShowScreenItem(number, QStringFromGbk(gbkText));
}

void GuiUserInterface::ShowScreenPage()
{
    if (CVX50TextView* view = m_frame.GetActiveView())
        view->ShowScreenPage();
}

void GuiUserInterface::ResetAddressLists(int tool, int width)
{
    if (CVX50TextView* view = m_frame.GetActiveView())
        if (CPropertyDlg* page = view->PageOfTool(tool))
            page->ResetAddressCombos(width);
}

void GuiUserInterface::DeviceLoaded()
{
    m_frame.ShowDeviceInPanes();
    if (CVX50TextView* view = m_frame.GetActiveView())
        for (CPropertyDlg* page : view->Pages())
            if (page)
                page->ResetAddressCombos(page->NewElementWidth());
}

void GuiUserInterface::PasswordLevelsChanged()
{
    if (CVX50TextView* view = m_frame.GetActiveView())
        for (CPropertyDlg* page : view->Pages())
            if (page)
                page->LoadPasswordLevels();
}

void GuiUserInterface::ElementAddressesRebound()
{
    if (CVX50TextView* view = m_frame.GetActiveView())
        view->LoadAddressesOfAllElements();
}

void GuiUserInterface::ShowPageAfterRestore()
{
    if (CVX50TextView* view = m_frame.GetActiveView())
        view->ShowPageAfterRestore();
}

void GuiUserInterface::RedrawCanvas()
{
    if (CVX50TextView* view = m_frame.GetActiveView(); view && view->GetCanvas())
        view->GetCanvas()->update();
}

void GuiUserInterface::GoToElement(int screenIndex, int elementIndex, int page)
{
    if (CVX50TextView* view = m_frame.GetActiveView())
        view->GoToElement(screenIndex, elementIndex, page);
}

void GuiUserInterface::RefreshElementList(bool rebuild)
{
    if (m_frame.ScreenDataWindow)
        m_frame.ScreenDataWindow->RefreshList(rebuild ? 1 : 0);
}

int GuiUserInterface::RunDialog(QDialog& dialog)
{
    return dialog.exec();
}

bool GuiUserInterface::RunCopyScreenDialog(int, int& target)
{
    CCopyScreenDlg dialog(m_frame.GetDocument(), &m_frame);
    if (RunDialog(dialog) != QDialog::Accepted)
        return false;
    target = dialog.Target();
    return true;
}

void GuiUserInterface::RunNewScreenDialog(bool insertMode)
{
    CNewScreenDlg dialog(m_frame, insertMode);
    RunDialog(dialog);
}

QString GuiUserInterface::ChooseProjectFile(bool forSave)
{
    QFileDialog dialog(&m_frame, QString(), QString(), UiText(IdsProjectFileFilter) + QStringLiteral("(*.opf)"));
    dialog.setDefaultSuffix(QStringLiteral("opf"));
    if (forSave) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.selectFile(UiText(IdsUntitled));
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    return ChooseFile(dialog, FileKind::Project, QString::fromStdString(m_frame.GetDocument().ProjectPath));
}

QString ChooseProjectFileModally(bool forSave)
{
    if (auto* gui = dynamic_cast<GuiUserInterface*>(&CurrentUi()))
        return gui->ChooseProjectFile(forSave);
    return {};
}
