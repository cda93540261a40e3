// The document's screen commands: New Screen (through its dialog) and Copy
// Screen with its place in the ring of Up/Down key links.

#include "model/CVX50TextDoc.h"

#include "StringTable.h"
#include "model/UserInterface.h"

#include <algorithm>

namespace {

constexpr std::size_t kScreenLimit = 256;

bool RefuseAtScreenLimit(const std::vector<ScreenRecord>& screens)
{
    if (screens.size() < kScreenLimit)
        return false;
    CurrentUi().ShowMessage(61388, MbOk);
    return true;
}

} // namespace

void CVX50TextDoc::OnNewScreen()
{
    if (!RefuseAtScreenLimit(Screens))
        CurrentUi().RunNewScreenDialog(false);
}

void CVX50TextDoc::NewScreenFromTree()
{
    CurrentUi().RunNewScreenDialog(true);
}

void CVX50TextDoc::OnCopyScreen()
{
    if (RefuseAtScreenLimit(Screens))
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
        ui.ShowMessage(61222, MbOk);
        return false;
    }
    const ScreenRecord* source = FindScreenByNumber(CurrentScreenNumber);
    const std::string description = source ? source->Description : std::string();
    const std::string itemText = description.empty() ? DefaultScreenDescription(target) : description;

    if (ScreenRecord* existing = FindScreenByNumber(target)) {
        if (ui.ShowMessageText(std::to_string(target) + StringGbk(61247), MbYesNo) != IdYes)
            return false;
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
        LinkIntoScreenRing(copy);
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

void CVX50TextDoc::LinkIntoScreenRing(ScreenRecord& screen)
{
    // The ring runs in number order and wraps: the screen before the new one
    // is the greatest number below it (else the greatest of all), the screen
    // after it the smallest number above it (else the smallest of all).
    if (Screens.empty()) {
        screen.UpKeyScreen = screen.DownKeyScreen = screen.Number;
        return;
    }
    const int v = screen.Number;
    const auto [lowest, highest] = std::minmax_element(Screens.begin(), Screens.end(),
        [](const ScreenRecord& a, const ScreenRecord& b) { return a.Number < b.Number; });
    int previous = highest->Number;
    int next = lowest->Number;
    bool belowFound = false;
    bool aboveFound = false;
    for (const ScreenRecord& s : Screens) {
        if (s.Number < v && (!belowFound || s.Number > previous)) {
            previous = s.Number;
            belowFound = true;
        }
        if (s.Number > v && (!aboveFound || s.Number < next)) {
            next = s.Number;
            aboveFound = true;
        }
    }
    screen.UpKeyScreen = previous;
    screen.DownKeyScreen = next;
    for (ScreenRecord& s : Screens) {
        if (s.Number == previous)
            s.DownKeyScreen = v;
        if (s.Number == next)
            s.UpKeyScreen = v;
    }
}
