#pragma once

#include <QFrame>

#include <memory>

class CScreenElement;

// Base of the nine modeless property pages that stand below the canvas. The
// view creates them once, hidden, and shows one at a time.
//
// An element page edits the element it is bound to; callers bind it before
// they ask it to load. The page only watches the element: once the element
// is gone the page is bound to nothing.
class CPropertyDlg : public QFrame {
public:
    explicit CPropertyDlg(QWidget* parent);

    void Bind(const std::shared_ptr<CScreenElement>& element) { m_bound = element; }
    std::shared_ptr<CScreenElement> BoundElement() const { return m_bound.lock(); }

    // Moves every field of the bound element into the controls.
    virtual void LoadFromElement() {}
    // Refreshes only the position fields (after a drag or a nudge).
    virtual void LoadPosition() {}
    // For an element the canvas has just placed, before it is loaded: what
    // the page does for new elements (its address lists for the element's
    // width, and for dynamic texts and registers their presets after loading).
    virtual void LoadNewElement() { LoadFromElement(); }

private:
    std::weak_ptr<CScreenElement> m_bound;
};
