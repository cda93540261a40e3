#pragma once

#include "model/ElementFingerprint.h"
#include "model/ElementRef.h"
#include "model/ScreenRecord.h"

#include <memory>
#include <vector>

// One screen's elements as the undo history keeps them: clones that nothing
// edits, and the digest of the fingerprint (WriteElementsFingerprint) of the
// live elements they were cloned from. Every snapshot in which the screen's elements did not
// change holds the same one.
struct FrozenElements {
    ElementList Elements;
    FingerprintDigest Digest;
};

// One screen in a snapshot: the screen's fields and its elements.
struct ScreenSnapshot : ScreenFields {
    std::shared_ptr<const FrozenElements> Frozen;
};

// All screens at one moment: one undo snapshot. No element object of a
// snapshot is shared with the live project; snapshots share the frozen
// elements of the screens that did not change between them, so a snapshot
// after an edit costs about the screens the edit changed.
struct ScreenSet {
    std::vector<ScreenSnapshot> Screens;
    int Current = 0; // the edited screen's number
    int Undone = 0; // 1 while the snapshot holds a state that was undone
};
