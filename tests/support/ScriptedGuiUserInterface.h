#pragma once

// For the Qt Tests of the editor: the real GUI user interface, except that
// message boxes, modal dialogs and file dialogs are answered from scripts
// instead of being shown, and a
// document with its main window set up and torn down as the application
// does. Header-only: the GUI tests include it, the headless ones do not.

#include "devices/ui/CDeviceSelectDlg.h"
#include "shell/ui/CCJTreeCtrl.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CVX50TextView.h"
#include "shell/ui/GuiUserInterface.h"
#include "model/CVX50TextDoc.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class ScriptedGuiUserInterface : public GuiUserInterface {
public:
    using GuiUserInterface::GuiUserInterface;

    // Answers for the next message boxes, in order. Without one an OK box
    // answers OK and any other box Cancel.
    std::deque<int> answers;
    // The texts of the boxes shown so far, and the window each belonged to.
    QStringList shown;
    std::vector<QPointer<QWidget>> owners;

    // Each script fills the next modal dialog and presses its buttons; it
    // returns the dialog's result. Without one the dialog is cancelled.
    std::deque<std::function<int(QDialog&)>> dialogs;
    int dialogsRun = 0;
    // The paths the next project file dialogs choose; without one they are
    // cancelled.
    std::deque<QString> files;
    // Which file dialogs ran: true for a save dialog.
    std::vector<bool> fileDialogs;
    // While set, the project file dialogs are the real ones, run through the
    // dialog scripts like any modal dialog, instead of taking `files`.
    bool realFileDialogs = false;
    // The progress windows' captions and texts, by string id.
    std::vector<std::pair<int, int>> progressCaptions;

    // While set, the device dialog (File New, the Device command) takes the
    // device it shows with OK without using a script.
    bool confirmDevice = true;

    int RunDialog(QDialog& dialog) override
    {
        if (auto* device = qobject_cast<CDeviceSelectDlg*>(&dialog); device && confirmDevice) {
            device->OnOK();
            return device->result();
        }
        ++dialogsRun;
        if (dialogs.empty())
            return QDialog::Rejected;
        const auto script = dialogs.front();
        dialogs.pop_front();
        return script(dialog);
    }

    QString ChooseProjectFile(bool forSave) override
    {
        fileDialogs.push_back(forSave);
        if (realFileDialogs)
            return GuiUserInterface::ChooseProjectFile(forSave);
        if (files.empty())
            return {};
        const QString path = files.front();
        files.pop_front();
        return path;
    }

    void ProgressCaption(int captionId, int textId) override
    {
        progressCaptions.emplace_back(captionId, textId);
        GuiUserInterface::ProgressCaption(captionId, textId);
    }

protected:
    int RunMessageBox(const QString& text, unsigned flags) override
    {
        shown.append(text);
        owners.emplace_back(MessageOwner());
        if (answers.empty())
            return (flags & 0x0F) == MbOk ? IdOk : IdCancel;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A document, its main window (1280 x 800, not shown) and the scripted user
// interface installed for them.
struct GuiEditor {
    CVX50TextDoc document;
    std::unique_ptr<CMainFrame> frame = std::make_unique<CMainFrame>(document);
    std::unique_ptr<ScriptedGuiUserInterface> ui = std::make_unique<ScriptedGuiUserInterface>(*frame);

    GuiEditor() { frame->resize(1280, 800); }
    ~GuiEditor()
    {
        ui.reset();
        frame.reset();
    }
    GuiEditor(const GuiEditor&) = delete;
    GuiEditor& operator=(const GuiEditor&) = delete;

    CVX50TextView& View() const { return *frame->GetActiveView(); }
    CCJTreeCtrl& Tree() const { return *frame->GetTreeCtrl(); }

    // The texts of the screen items, top to bottom.
    QStringList ScreenTexts() const
    {
        QStringList texts;
        for (int i = 0; i < Tree().ScreensRoot()->childCount(); ++i)
            texts.append(Tree().ScreensRoot()->child(i)->text(0));
        return texts;
    }
};
