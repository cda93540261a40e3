#pragma once

#include <QFrame>

#include <memory>

class CScreenElement;
class CSpinEdit;
class CVX50TextDoc;
class QGroupBox;
class QHBoxLayout;
struct DotPoint;

// Base of the nine modeless property pages beside the canvas. The view
// creates them once, hidden, and shows one at a time: the page of the element
// the user last selected or placed, or the screen page.
//
// An element page edits the element it is bound to, in place: every accepted
// change is written into the element at once and ends in Commit (modified
// flag, canvas, one undo snapshot, the element's row of the screen-data
// window). The page only watches the element: once the element is gone the
// page is bound to nothing and its handlers do nothing. Loading the controls
// from the element never runs the page's handlers: they listen only to what
// the user does (textEdited, activated, clicked). Each page sets its Tab
// order by its layout once it is built (SetTabOrderByLayout).
class CPropertyDlg : public QFrame {
    Q_OBJECT
public:
    CPropertyDlg(CVX50TextDoc& document, QWidget* parent);

    void Bind(const std::shared_ptr<CScreenElement>& element) { m_bound = element; }
    std::shared_ptr<CScreenElement> BoundElement() const { return m_bound.lock(); }

    // Sets every control from the bound element (right after binding).
    virtual void LoadFromElement() {}
    // Sets the position fields from the bound element and repaints the
    // canvas (after the canvas moved it).
    virtual void LoadPosition();
    // Address-bound pages: refill the type, group and name lists for an
    // element of `width` (0, 16 or 32), and select the bound element's
    // address in them.
    virtual void ResetAddressCombos(int width) {}
    virtual void LoadAddressControls() {}
    // The width of the element the page's tool places: the lists an
    // address-bound page shows before an element is bound.
    virtual int NewElementWidth() const { return 0; }
    // An element the canvas has just placed: what the page does for new
    // elements (its address lists, the element's first address), then the
    // element is loaded.
    virtual void LoadNewElement() { LoadFromElement(); }
    // The document's password levels changed (pages with a user level).
    virtual void LoadPasswordLevels() {}

    void RepaintCanvas();

    // The steps that end an accepted change, as a page needs them.
    enum CommitStep : unsigned {
        MarkModified = 1,
        Repaint = 2,
        Snapshot = 4,
        RefreshRow = 8, // the change shows in the element's row of the screen-data window
    };
    void Commit(unsigned steps);

signals:
    void CanvasRepaintRequested();
    void ElementRowChanged();

protected:
    // Tab and Shift+Tab move between the page's own fields, as in a dialog:
    // past the last field Tab comes back to the first.
    bool focusNextPrevChild(bool next) override;

    CVX50TextDoc& Document() const { return m_document; }
    template <class Element>
    std::shared_ptr<Element> Bound() const
    {
        return std::dynamic_pointer_cast<Element>(m_bound.lock());
    }

    // The page's frame: a group box titled `title` over the whole page;
    // the page adds its groups to the returned row.
    QHBoxLayout* CreateFrame(const QString& title);

    // The group "坐标" with the X and Y fields of an element page. A change
    // is accepted when the element stays on the display on that axis (from
    // 0 to the display's edge), else both fields show the element's
    // position again.
    QGroupBox* CreatePositionGroup();
    void ShowPosition(const DotPoint& position);
    // How an accepted position change ends.
    virtual unsigned PositionCommitSteps() const { return MarkModified | Repaint | Snapshot; }

    // The station field (device station number). Accepted from
    // LowestStation() to 255: the element's station, modified flag, undo
    // snapshot. Refused: message StationRefusalMessage(), or the range
    // prompt when that is 0, then the element's station again.
    CSpinEdit* CreateStationEdit();
    void ShowStation();
    virtual int LowestStation() const { return 1; }
    virtual int StationRefusalMessage() const { return 0; }

private:
    void OnPositionChange(bool xChanged);
    void OnStationChange();

    CVX50TextDoc& m_document;
    std::weak_ptr<CScreenElement> m_bound;
    CSpinEdit* m_x = nullptr;
    CSpinEdit* m_y = nullptr;
    CSpinEdit* m_station = nullptr;
};
