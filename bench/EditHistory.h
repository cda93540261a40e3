#pragma once

// Edits as the canvas makes them, for the benchmarks of the undo history: an
// element of the edited screen moves by one dot and the edit takes its
// snapshot, as the end of a drag does.
#include "model/CVX50TextDoc.h"

#include <cstddef>

inline void MoveOneElementAndPush(CVX50TextDoc& doc, int step)
{
    ElementList& elements = doc.GetWorkingElements();
    CScreenElement& element = *elements[static_cast<std::size_t>(step) % elements.size()].element;
    const DotPoint at = element.GetPosition();
    element.SetPosition(at.x % 180 + 1, at.y);
    doc.PushUndoSnapshot();
}

// A full undo history: every snapshot after one move.
inline void FillUndoHistory(CVX50TextDoc& doc)
{
    for (std::size_t step = 0; step < CVX50TextDoc::kUndoLimit; ++step)
        MoveOneElementAndPush(doc, static_cast<int>(step));
}
