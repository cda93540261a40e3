#pragma once

#include "base/UserInterface.h"
#include "widgets/ModalDialog.h"

#include <QString>

class CMainFrame;
class CVX50TextView;
class QDialog;
class QWidget;

// The user interface the model talks to while the editor runs: message boxes
// over the window they come from, the view's progress window over the main
// window, and the refreshes of the tree, pages, canvas and screen-data
// window. Installed for its lifetime.
class GuiUserInterface : public UserInterface, public ModalDialogRunner {
public:
    explicit GuiUserInterface(CMainFrame& frame);
    ~GuiUserInterface() override;
    GuiUserInterface(const GuiUserInterface&) = delete;
    GuiUserInterface& operator=(const GuiUserInterface&) = delete;

    int ShowMessage(int stringId, unsigned flags = MbOk) override;
    int ShowMessageText(const std::string& gbkText, unsigned flags = MbOk) override;

    bool ProgressBegin(int total) override;
    void ProgressCaption(int captionId, int textId) override;
    void ProgressStep(int position) override;
    void ProgressEnd() override;

    void RebuildProjectTree() override;
    void ShowPageAfterRestore() override;
    void RedrawCanvas() override;
    void RefreshElementList(bool rebuild) override;
    void GoToElement(int screenIndex, int elementIndex, int page) override;
    void ShowScreenItem(int number, const std::string& gbkText) override;
    void ShowScreenPage() override;
    void ResetAddressLists(int tool, int width) override;
    void DeviceLoaded() override;
    void PasswordLevelsChanged() override;
    void ElementAddressesRebound() override;
    bool RunCopyScreenDialog(int sourceNumber, int& target) override;
    void RunNewScreenDialog(bool insertMode) override;

    // Modal dialogs are owned by the main window; tests override it to fill
    // the dialog and press its buttons.
    int RunDialog(QDialog& dialog) override;
    // The project file dialog ("*.opf"): an existing file to open, or a file
    // to save to (proposed "未命名"; replacing is asked by the caller). The
    // full path, or empty when cancelled.
    virtual QString ChooseProjectFile(bool forSave);

protected:
    // The modal box itself, over MessageOwner(); tests override it to answer
    // without a window.
    virtual int RunMessageBox(const QString& text, unsigned flags);
    // The window a message box belongs to, is centred on and stays above:
    // the window that the message comes from.
    QWidget* MessageOwner() const;

    CMainFrame& m_frame;

private:
    // The view whose progress window the operations drive; none while the
    // view's progress flag is 0.
    CVX50TextView* ProgressView() const;

    UserInterface* m_previous;
};

// ChooseProjectFile of the installed GUI user interface; empty, as if
// cancelled, when none is installed.
QString ChooseProjectFileModally(bool forSave);
