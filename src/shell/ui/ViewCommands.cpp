#include "shell/ui/ViewCommands.h"

#include "shell/ui/CMainFrame.h"
#include "shell/ui/CPaneCtrl.h"
#include "shell/ui/CVX50TextView.h"
#include "shell/ui/GuiUserInterface.h"
#include "settings/PanelSettingsRules.h"
#include "settings/ui/CAlarmListDlg.h"
#include "settings/ui/CGlobalButtonDlg.h"
#include "settings/ui/CPanelSettingsDlg.h"
#include "devices/ui/CCopyRegisterDlg.h"
#include "devices/ui/CPresetRegDlg.h"
#include "devices/ui/CPresetTextDlg.h"
#include "model/CVX50TextDoc.h"
#include "shell/CommandIds.h"
#include "base/UserInterface.h"

namespace {

// A command that acts on the canvas; nothing before the first File New.
void OnCanvas(CMainFrame& frame, CVX50TextView& view, int command, void (CPaneCtrl::*operation)())
{
    frame.SetCommandHandler(command, [&view, operation] {
        if (CPaneCtrl* canvas = view.GetCanvas())
            (canvas->*operation)();
    });
}

// A modal dialog on the document that stores its own result.
template <class Dialog>
void OnProjectDialog(CMainFrame& frame, CVX50TextView& view, int command)
{
    frame.SetCommandHandler(command, [&frame, &view] {
        Dialog dialog(view.GetDocument(), &frame);
        RunModalDialog(dialog);
    });
}

} // namespace

void RegisterViewCommands(CMainFrame& frame, CVX50TextView& view)
{
    OnCanvas(frame, view, Cmd::DeleteElements, &CPaneCtrl::DeleteSelection);
    OnCanvas(frame, view, Cmd::CopyElements, &CPaneCtrl::CopySelection);
    OnCanvas(frame, view, Cmd::CutElements, &CPaneCtrl::CutSelection);
    OnCanvas(frame, view, Cmd::PasteElements, &CPaneCtrl::PasteElements);
    OnCanvas(frame, view, Cmd::SendToBottom, &CPaneCtrl::SendToBottom);
    OnCanvas(frame, view, Cmd::BringToTop, &CPaneCtrl::BringToTop);
    OnCanvas(frame, view, Cmd::MoveDownOne, &CPaneCtrl::MoveDownOne);
    OnCanvas(frame, view, Cmd::MoveUpOne, &CPaneCtrl::MoveUpOne);

    frame.SetCommandHandler(Cmd::ShowGrid, [&view] {
        CPaneCtrl::GridFlag = CPaneCtrl::GridFlag == 1 ? 0 : 1;
        view.GetDocument().ProjectModified = 1;
        if (CPaneCtrl* canvas = view.GetCanvas())
            canvas->update();
    });

    // The alarm list stays open beside the editor, one at a time: the
    // command is enabled again when it ends, however it ends.
    frame.SetCommandHandler(Cmd::AlarmList, [&frame, &view] {
        auto* dialog = new CAlarmListDlg(view.GetDocument(), &frame);
        QObject::connect(dialog, &QDialog::finished, &frame, [&frame, &view] {
            view.AlarmListClosed = 1;
            frame.RefreshCommandStates();
        });
        view.AlarmListDialog = dialog;
        view.AlarmListClosed = 0;
        dialog->show();
    });
    // The dialog stores part of the settings itself; the rest is copied here.
    frame.SetCommandHandler(Cmd::PanelSettings, [&frame, &view] {
        CVX50TextDoc& doc = view.GetDocument();
        CPanelSettingsDlg dialog(doc, &frame);
        if (RunModalDialog(dialog) == QDialog::Accepted) {
            StoreViewPanelSettings(dialog.Values(), doc.Panel);
            doc.ProjectModified = 1;
        }
    });
    frame.SetCommandHandler(Cmd::GlobalButtons, [&frame, &view] {
        CGlobalButtonDlg dialog(view.GetDocument(), &frame);
        RunModalDialog(dialog);
    });
    // These dialogs store their own results.
    OnProjectDialog<CCopyRegisterDlg>(frame, view, Cmd::CopyRegisters);
    OnProjectDialog<CPresetTextDlg>(frame, view, Cmd::PresetTexts);
    OnProjectDialog<CPresetRegDlg>(frame, view, Cmd::PresetRegisters);
}
