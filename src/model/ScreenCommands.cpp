#include "model/ScreenCommands.h"

#include "StringIds.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "model/ScreenRing.h"
#include "model/elements/CFuncKeyElement.h"

#include <algorithm>
#include <unordered_set>

namespace {

bool IsDefaultDescription(const CVX50TextDoc& doc, const std::string& description, int number)
{
    return description == doc.DefaultScreenDescription(number);
}

// The count of consecutive numbers from `first` up that name screens.
int RunLengthFrom(const CVX50TextDoc& doc, int first)
{
    int length = 0;
    while (doc.FindScreenByNumber(first + length))
        ++length;
    return length;
}

// A global button's jump: function bits 2-4 hold 0.
bool IsJumpButton(const GlobalButton& button)
{
    return ((button.Function >> 2) & 0x07) == 0;
}

// Moves screens first ... first + count - 1 up by one number. Every
// reference to them moves along: the screens' links, the edited screen,
// jump targets of function keys (on screens and in the clipboard) and of
// global buttons, the panel's main and screen-saver screens; a description
// that was the default one names the new number. Returns whether a
// project-wide reference (global button, panel screens) moved.
bool MoveRunUp(CVX50TextDoc& doc, int first, int count)
{
    doc.PrepareAllScreensForEdit();
    const auto moved = [first, count](int number) {
        return number >= first && number < first + count ? number + 1 : number;
    };
    for (ScreenRecord& s : doc.Screens) {
        if (s.Number >= first && s.Number < first + count && IsDefaultDescription(doc, s.Description, s.Number))
            s.Description = doc.DefaultScreenDescription(s.Number + 1);
        s.Number = moved(s.Number);
        s.UpKeyScreen = moved(s.UpKeyScreen);
        s.DownKeyScreen = moved(s.DownKeyScreen);
    }
    doc.CurrentScreenNumber = moved(doc.CurrentScreenNumber);

    // The working list shares its elements with the edited screen: each
    // element object is moved once.
    std::unordered_set<CScreenElement*> seen;
    const auto moveKeys = [&](const ElementList& elements) {
        for (const ElementRef& ref : elements) {
            auto* key = dynamic_cast<CFuncKeyElement*>(ref.element.get());
            if (key && key->GetAction() == CFuncKeyElement::ScreenJump && seen.insert(key).second)
                key->TargetScreen = moved(key->TargetScreen);
        }
    };
    for (const ScreenRecord& s : doc.Screens)
        moveKeys(s.Elements);
    moveKeys(doc.WorkingElements);
    moveKeys(doc.Clipboard);

    bool projectWide = false;
    const auto moveProjectWide = [&](int& number) {
        const int to = moved(number);
        projectWide = projectWide || to != number;
        number = to;
    };
    for (GlobalButton& button : doc.GlobalButtons) {
        if (IsJumpButton(button))
            moveProjectWide(button.JumpScreen);
    }
    moveProjectWide(doc.Panel.MainScreen);
    moveProjectWide(doc.Panel.SaverScreen);
    return projectWide;
}

void SwitchEditedScreen(CVX50TextDoc& doc, int number)
{
    if (!doc.EditScreen(number))
        doc.SetWorkingElements({});
}

} // namespace

bool RefuseAtScreenLimit(const CVX50TextDoc& doc)
{
    if (doc.Screens.size() < kScreenLimit)
        return false;
    CurrentUi().ShowMessage(IdsScreensOver256, MbOk);
    return true;
}

int ProposedNewScreenNumber(const CVX50TextDoc& doc)
{
    int highest = 0;
    for (const ScreenRecord& s : doc.Screens)
        highest = std::max(highest, s.Number);
    return std::min(highest + 1, kHighestScreenNumber);
}

int ProposedCopyTarget(const std::vector<ScreenRecord>& screens)
{
    int target = 2;
    if (screens.size() == 1)
        target = screens.front().Number + 1;
    for (std::size_t i = 1; i < screens.size(); ++i) {
        if (screens[i].Number > screens[i - 1].Number)
            target = screens[i].Number + 1;
    }
    return target > kHighestScreenNumber ? kHighestScreenNumber - 1 : target;
}

std::string FollowDefaultDescription(const CVX50TextDoc& doc, const std::string& description, int oldNumber,
    int newNumber)
{
    const std::size_t start = description.find_first_not_of(' ');
    const std::string trimmed = start == std::string::npos ? std::string() : description.substr(start);
    return IsDefaultDescription(doc, trimmed, oldNumber) ? doc.DefaultScreenDescription(newNumber) : description;
}

ScreenRefusal CheckNewScreen(const CVX50TextDoc& doc, int number, std::string_view description, bool insertMode)
{
    if (!insertMode && doc.FindScreenByNumber(number))
        return ScreenRefusal::NumberInUse;
    if (description.size() > kScreenDescriptionLimit)
        return ScreenRefusal::DescriptionTooLong;
    if (insertMode && number + RunLengthFrom(doc, number) > kHighestScreenNumber)
        return ScreenRefusal::NoRoomAbove;
    return ScreenRefusal::None;
}

void CreateScreen(CVX50TextDoc& doc, int number, const std::string& description, bool insertMode)
{
    doc.TidyAndCommitWorkingElements();
    const bool projectWideMoved = insertMode && MoveRunUp(doc, number, RunLengthFrom(doc, number));

    ScreenRecord screen;
    screen.Number = number;
    screen.Port = doc.DefaultPort;
    screen.Description = description;
    LinkIntoScreenRing(doc.Screens, screen);
    doc.Screens.push_back(std::move(screen));

    doc.SetWorkingElements({});
    doc.CurrentScreenNumber = number;
    doc.ProjectModified = 1;
    // Snapshots hold the screens only: undoing across a renumbering of the
    // project-wide references would leave them naming the wrong screens.
    if (projectWideMoved)
        doc.ResetUndoHistory();
    else
        doc.PushUndoSnapshot();
}

int DeleteScreen(CVX50TextDoc& doc, int number)
{
    const auto at = std::find_if(doc.Screens.begin(), doc.Screens.end(),
        [number](const ScreenRecord& s) { return s.Number == number; });
    if (at == doc.Screens.end())
        return 0;
    doc.ProjectModified = 1;

    if (doc.Screens.size() == 1) {
        // The last screen stays, emptied and renamed as a new project's.
        doc.PrepareScreenForEdit(number);
        doc.MakeFirstScreen(*at);
        SwitchEditedScreen(doc, 1);
        return 1;
    }

    // The next screen by ring position; the highest screen hands over to the
    // one below it.
    int lower = 0;
    int higher = 0;
    for (const ScreenRecord& s : doc.Screens) {
        if (s.Number < number && s.Number > lower)
            lower = s.Number;
        if (s.Number > number && (higher == 0 || s.Number < higher))
            higher = s.Number;
    }
    const int next = higher != 0 ? higher : lower;

    doc.CommitWorkingElements();
    UnlinkFromScreenRing(doc.Screens, number);
    doc.EraseScreen(at);
    SwitchEditedScreen(doc, next);
    return next;
}

ScreenRefusal ApplyScreenSettings(CVX50TextDoc& doc, int number, const ScreenSettings& settings)
{
    if (settings.description.size() > kScreenDescriptionLimit)
        return ScreenRefusal::DescriptionTooLong;
    for (ScreenRecord& s : doc.Screens) {
        if (s.Number != number)
            continue;
        s.UpKeyScreen = settings.upKeyScreen;
        s.DownKeyScreen = settings.downKeyScreen;
        s.Port = settings.port;
        s.Description = settings.description;
    }
    doc.ProjectModified = 1;
    doc.PushUndoSnapshot();
    return ScreenRefusal::None;
}
