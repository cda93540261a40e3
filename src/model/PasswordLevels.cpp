#include "model/PasswordLevels.h"

#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/CVX50TextDoc.h"
#include "base/UserInterface.h"

namespace {

// Clears the protection of a level index the table no longer defines.
template <class Element>
void KeepLevel(Element& element, int levelCount)
{
    if (element.PasswordLevel + 1 > levelCount) {
        element.PasswordLevel = 0;
        element.SetPasswordProtected(0);
    }
}

} // namespace

void ApplyPasswordLevelCount(CVX50TextDoc& doc)
{
    const int levels = doc.HighestPasswordLevel;
    doc.TidyAndCommitWorkingElements();
    doc.PrepareAllScreensForEdit();
    for (ScreenRecord& screen : doc.Screens)
        for (const ElementRef& ref : screen.Elements) {
            // The kind code names the class (element lists keep them paired).
            if (ref.kind == KindFuncKey)
                KeepLevel(static_cast<CFuncKeyElement&>(*ref.element), levels);
            else if (ref.kind == KindRegister)
                KeepLevel(static_cast<CRegisterElement&>(*ref.element), levels);
        }
    for (GlobalButton& button : doc.GlobalButtons)
        if (button.UserLevel + 1 > levels) {
            button.UserLevel = 0;
            button.Flags &= static_cast<std::uint8_t>(~GlobalButton::ProtectedFlag);
        }
    CurrentUi().PasswordLevelsChanged();
}
