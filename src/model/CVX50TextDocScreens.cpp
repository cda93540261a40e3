// The document's screen commands: New Screen (through its dialog) and Copy
// Screen with its place in the ring of Up/Down key links.

#include "model/CVX50TextDoc.h"

#include "StringIds.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "model/ScreenCommands.h"
#include "model/ScreenRing.h"

void CVX50TextDoc::OnNewScreen()
{
    if (!RefuseAtScreenLimit(*this))
        CurrentUi().RunNewScreenDialog(false);
}

void CVX50TextDoc::NewScreenFromTree()
{
    CurrentUi().RunNewScreenDialog(true);
}

void CVX50TextDoc::OnCopyScreen()
{
    if (RefuseAtScreenLimit(*this))
        return;
    int target = 0;
    if (CurrentUi().RunCopyScreenDialog(CurrentScreenNumber, target))
        CopyEditedScreenTo(target);
}

bool CVX50TextDoc::CopyEditedScreenTo(int target)
{
    UserInterface& ui = CurrentUi();
    TidyAndCommitWorkingElements();
    if (target == CurrentScreenNumber) {
        ui.ShowMessage(IdsCopyToCurrentScreen, MbOk);
        return false;
    }
    const ScreenRecord* source = FindScreenByNumber(CurrentScreenNumber);
    const std::string description = source ? source->Description : std::string();
    const std::string itemText = description.empty() ? DefaultScreenDescription(target) : description;

    if (ScreenRecord* existing = FindScreenByNumber(target)) {
        if (ui.ShowMessageText(std::to_string(target) + StringGbk(IdsScreenNumberExistsReplace), MbYesNo) != IdYes)
            return false;
        PrepareScreenForEdit(target);
        existing->Elements = CloneElementList(WorkingElements);
        WorkingElements = existing->Elements;
        existing->Description = description;
    } else {
        WorkingElements = CloneElementList(WorkingElements);
        ScreenRecord copy;
        copy.Elements = WorkingElements;
        copy.Number = target;
        copy.Port = DefaultPort;
        copy.Description = description;
        LinkIntoScreenRing(Screens, copy);
        Screens.push_back(std::move(copy));
    }
    ui.ShowScreenItem(target, itemText);
    ui.RedrawCanvas();

    CurrentScreenNumber = target;
    ui.ShowScreenPage();
    ProjectModified = 1;
    PushUndoSnapshot();
    ui.RefreshElementList(true);
    return true;
}
