#pragma once

#include "model/ElementFingerprint.h"
#include "model/ElementRef.h"
#include "model/ScreenRecord.h"

#include <memory>
#include <optional>
#include <vector>

// One screen's elements as the undo history keeps them: clones that nothing
// edits (or, once they left the project, the elements themselves), and the
// digest of their fingerprint (WriteElementsFingerprint). Every snapshot in
// which the screen's elements did not change holds the same one.
//
// An entry taken at a reset of the history waits: it holds no elements while
// the live ones stand for it, and the document fills it before they change or
// leave the project. No other entry holds a live element.
struct FrozenElements {
    ElementList Elements;
    // Known from the start for the clones a snapshot takes; taken on demand
    // (DigestOfFrozen) for elements that entered the history as they left the
    // project, and for a waiting entry only in builds with assertions.
    std::optional<FingerprintDigest> Digest;
    bool Waiting = false;
};

// One screen in a snapshot: the screen's fields and its elements. Entries are
// changed only by the document, while it fills a waiting one or records its
// digest.
struct ScreenSnapshot : ScreenFields {
    std::shared_ptr<FrozenElements> Frozen;
};

// All screens at one moment: one undo snapshot. Snapshots share the frozen
// elements of the screens that did not change between them, so a snapshot
// after an edit costs about the screens the edit changed.
struct ScreenSet {
    std::vector<ScreenSnapshot> Screens;
    int Current = 0; // the edited screen's number
    int Undone = 0; // 1 while the snapshot holds a state that was undone
};
