#include "model/PasswordLevels.h"

#include "model/CFuncKeyElement.h"
#include "model/CRegisterElement.h"
#include "model/CVX50TextDoc.h"
#include "model/UserInterface.h"

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
    for (ScreenRecord& screen : doc.Screens)
        for (const ElementRef& ref : screen.Elements) {
            if (auto* key = dynamic_cast<CFuncKeyElement*>(ref.element.get()))
                KeepLevel(*key, levels);
            else if (auto* reg = dynamic_cast<CRegisterElement*>(ref.element.get()))
                KeepLevel(*reg, levels);
        }
    for (GlobalButton& button : doc.GlobalButtons)
        if (button.UserLevel + 1 > levels) {
            button.UserLevel = 0;
            button.Flags &= static_cast<std::uint8_t>(~GlobalButton::ProtectedFlag);
        }
    CurrentUi().PasswordLevelsChanged();
}
