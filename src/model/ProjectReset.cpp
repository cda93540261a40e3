#include "model/ProjectReset.h"

#include "model/CVX50TextDoc.h"

void ClearAddressBoundLists(CVX50TextDoc& doc)
{
    doc.AlarmSegments.clear();
    doc.AlarmBlocks.clear();
    doc.GlobalButtons.clear();
    doc.CopyRegGroups.clear();
    doc.PasswordTable.clear();
}

void ResetProjectForNew(CVX50TextDoc& doc)
{
    // The last screen of the list is the one that stays.
    auto& screens = doc.GetScreens();
    if (screens.size() > 1)
        screens.erase(screens.begin(), screens.end() - 1);
    doc.GetWorkingElements().clear();
    if (!screens.empty())
        doc.MakeFirstScreen(screens.front());
    doc.CurrentScreenNumber = 1;
    doc.ProjectModified = 0;

    ClearAddressBoundLists(doc);

    const PanelSettings kept = doc.Panel;
    doc.Panel = PanelSettings();
    doc.Panel.BacklightOffOnSaver = kept.BacklightOffOnSaver;
    doc.Panel.ClearAfterSwitch = kept.ClearAfterSwitch;

    doc.ProjectPath.clear();
    doc.HighestPasswordLevel = 0;
    doc.ResetUndoHistory();
}
