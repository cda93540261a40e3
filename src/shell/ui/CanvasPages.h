#pragma once

#include "shell/ui/CanvasPageHost.h"

class CMainFrame;
class CVX50TextView;

// The canvas's pages are the view's nine property pages; its context menu
// runs the frame's commands.
class CanvasPages : public CanvasPageHost {
public:
    CanvasPages(CVX50TextView& view, CMainFrame& frame);

    void ShowElementPage(const std::shared_ptr<CScreenElement>& element, bool placed) override;
    void ShowScreenPage() override;
    void HideScreenPage() override;
    void LoadPagePosition(const std::shared_ptr<CScreenElement>& element) override;
    void SelectListRowsOfSelection() override;
    void RunCommand(int commandId) override;

private:
    CVX50TextView& m_view;
    CMainFrame& m_frame;
};
