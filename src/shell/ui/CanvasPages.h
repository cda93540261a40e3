#pragma once

#include "shell/ui/CanvasPageHost.h"

class CMainFrame;
class CPropertyDlg;
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

    // The page that edits `element`'s kind (texts and graphs by sub-kind).
    CPropertyDlg* PageOf(const CScreenElement& element) const;

private:
    CVX50TextView& m_view;
    CMainFrame& m_frame;
};
