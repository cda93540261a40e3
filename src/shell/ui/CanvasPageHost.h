#pragma once

#include <memory>

class CScreenElement;

// What the canvas asks of the property pages and the frame around it. The
// view implements it over its nine pages; the pages are shown one at a time.
class CanvasPageHost {
public:
    virtual ~CanvasPageHost() = default;

    // Shows the page of `element`'s kind alone, bound to the element and
    // loaded from it. `placed` is set for an element the canvas has just
    // placed: the page then also applies what it does for new elements
    // (its address lists, the presets).
    virtual void ShowElementPage(const std::shared_ptr<CScreenElement>& element, bool placed) = 0;
    // Shows the screen page alone.
    virtual void ShowScreenPage() = 0;
    // Hides the screen page (the element pages stay as they are).
    virtual void HideScreenPage() = 0;
    // Binds the page of `element`'s kind to it and refreshes the page's
    // position fields, without showing it.
    virtual void LoadPagePosition(const std::shared_ptr<CScreenElement>& element) = 0;
    // The screen-data window's rows follow the elements' selection.
    virtual void SelectListRowsOfSelection() {}
    // Runs a command of the canvas's context menu as the menus would.
    virtual void RunCommand(int commandId) = 0;
};
