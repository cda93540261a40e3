#pragma once

#include "model/ElementFingerprint.h"
#include "model/ElementRef.h"
#include "model/ScreenRecord.h"

#include <memory>
#include <vector>

// One screen's elements as the undo history keeps them: clones that nothing
// edits (or, once they left the project, the elements themselves), and the
// digest of the fingerprint (WriteElementsFingerprint) of the live elements
// they were taken from. Every snapshot in which the screen's elements did not
// change holds the same one. An entry taken at a reset of the history stays
// empty while its elements are the live ones (the document fills it).
struct FrozenElements {
    ElementList Elements;
    FingerprintDigest Digest;
};

// One screen in a snapshot: the screen's fields and its elements.
struct ScreenSnapshot : ScreenFields {
    std::shared_ptr<const FrozenElements> Frozen;
};

// All screens at one moment: one undo snapshot. Snapshots share the frozen
// elements of the screens that did not change between them, so a snapshot
// after an edit costs about the screens the edit changed; no element object
// of a filled entry is a live one.
struct ScreenSet {
    std::vector<ScreenSnapshot> Screens;
    int Current = 0; // the edited screen's number
    int Undone = 0; // 1 while the snapshot holds a state that was undone
};
