#pragma once

#include "base/UserInterface.h"

#include <functional>
#include <vector>

// Stands in for the user interface while the model builds a document that
// the windows do not show yet: a project read into a copy that replaces the
// open project at the end. A refresh asked for meanwhile would show the
// project being replaced, and one per element read costs much; each is held
// once instead (asked again, it keeps its place and takes the last
// arguments) and Release() runs them once the new document is in place.
// Messages, progress and dialogs pass straight through.
class HeldRefreshes final : public UserInterface {
public:
    // Installs itself in place of the current user interface.
    HeldRefreshes();
    // Puts the replaced user interface back; refreshes not released are
    // dropped (the document they were for was not taken).
    ~HeldRefreshes() override;
    HeldRefreshes(const HeldRefreshes&) = delete;
    HeldRefreshes& operator=(const HeldRefreshes&) = delete;

    // Puts the replaced user interface back and runs the held refreshes on
    // it, in the order they were first asked for.
    void Release();

    int ShowMessage(int stringId, unsigned flags = MbOk) override;
    int ShowMessageText(const std::string& gbkText, unsigned flags = MbOk) override;
    bool ProgressBegin(int total) override;
    void ProgressCaption(int captionId, int textId) override;
    void ProgressStep(int position) override;
    void ProgressEnd() override;
    bool RunCopyScreenDialog(int sourceNumber, int& target) override;
    void RunNewScreenDialog(bool insertMode) override;
    bool RunProjectDialog(int commandId) override;

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

private:
    enum class Refresh {
        Tree,
        PageAfterRestore,
        Canvas,
        ElementList,
        GoTo,
        ScreenItem,
        ScreenPage,
        AddressLists,
        Device,
        PasswordLevels,
        Rebound,
    };
    // One held refresh; `target` tells apart the refreshes of one kind that
    // do not replace each other (the page, the screen item, a rebuild).
    struct Held {
        Refresh refresh;
        int target;
        std::function<void(UserInterface&)> run;
    };
    void Hold(Refresh refresh, int target, std::function<void(UserInterface&)> run);

    UserInterface& m_replaced;
    UserInterface* m_previouslyInstalled;
    bool m_installed = true;
    std::vector<Held> m_held;
};
