#pragma once

#include "model/ElementRef.h"

#include <memory>
#include <vector>

class CVX50TextDoc;

// Copy, cut, paste and delete of the selected elements of the edited screen.
// The copies live in the document's clipboard, so they survive screen
// changes; this object keeps where the clipboard came from and which way
// repeated pastes into one screen step the copies, so that they do not land
// on top of each other. It works on the document alone: the caller repaints
// and refreshes the windows.
class ElementClipboard {
public:
    explicit ElementClipboard(CVX50TextDoc& document)
        : m_document(document)
    {
    }

    // The clipboard becomes clones of the selected elements, in list order,
    // with their positions; nothing selected empties it.
    void CopySelection();
    // Removes the selected elements from the working list, commits the list
    // and marks the project modified; a snapshot is taken when any went.
    // Returns how many were removed.
    int DeleteSelection();
    // Copy, then delete; the next paste puts the copies back where they were.
    int CutSelection();
    // Appends a new copy of every clipboard element, selected, with the
    // lowest free number of its class; function keys beyond the screen's
    // 24th are left out, and a pasted key whose panel key is taken gets the
    // first free one. Into the screen copied from, the copies step 8 dots
    // diagonally per paste and turn at the display's edges; into another
    // screen (or after a cut) they stand where the originals stood. Marks
    // the project modified and takes a snapshot. Returns the pasted copies.
    std::vector<std::shared_ptr<CScreenElement>> PasteElements();

    // Screen the clipboard was last copied from or pasted into.
    int SourceScreen = 0;
    // The next cascade's directions: vertical 0 down, 1 up; horizontal 0
    // right, 1 left.
    int VerticalDirection = 0;
    int HorizontalDirection = 0;
    int CutFlag = 0;

private:
    int CountFuncKeys() const;
    void RestoreClipboardPositions();
    void CascadeClipboard();

    CVX50TextDoc& m_document;
};
