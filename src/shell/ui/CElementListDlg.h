#pragma once

#include <QWidget>

class CanvasPageHost;
class CVX50TextDoc;
class QLabel;
class QListWidget;

// The screen-data window at the right of the view: one row per element of
// the edited screen, the topmost element first. Selecting rows selects their
// elements on the canvas and shows the page of a single selected element,
// which reaches elements that are hard to hit on the small display.
//
// The window never watches the document: whoever adds, removes, reorders or
// renames elements refreshes it.
class CElementListDlg : public QWidget {
public:
    CElementListDlg(CVX50TextDoc& document, QWidget* parent);

    // The pages that show the selected element and the canvas to repaint;
    // either may stay null.
    void SetPageHost(CanvasPageHost* pages) { m_pages = pages; }
    void SetCanvas(QWidget* canvas) { m_canvas = canvas; }

    // Rebuilds the rows (rebuild 1), selecting those of the selected
    // elements, or rewrites the texts of the rows there are (0).
    void RefreshList(int rebuild);
    // The elements' selection follows the rows' selection; one selected
    // element shows its page, more show the screen page.
    void SelectInEditor();
    // The rows' selection follows the elements' selection (the reverse of
    // SelectInEditor), after the canvas changed it.
    void SelectRowsOfSelectedElements();

    QListWidget* List() const { return m_list; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CVX50TextDoc& m_document;
    CanvasPageHost* m_pages = nullptr;
    QWidget* m_canvas = nullptr;
    QLabel* m_caption;
    QListWidget* m_list;
};
