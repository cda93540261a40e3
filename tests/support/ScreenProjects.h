#pragma once

#include "model/elements/CLampElement.h"
#include "model/CVX50TextDoc.h"
#include "model/ScreenRing.h"

#include <memory>
#include <vector>

// A document with screens of the given numbers (in that list order), each
// with its default description and linked into the ring by number, editing
// `edited`, whose working list holds one lamp.
inline CVX50TextDoc ProjectWithScreens(const std::vector<int>& numbers, int edited)
{
    CVX50TextDoc doc;
    doc.Screens.clear();
    for (int n : numbers) {
        ScreenRecord s;
        s.Number = n;
        s.Description = doc.DefaultScreenDescription(n);
        LinkIntoScreenRing(doc.Screens, s);
        doc.Screens.push_back(s);
    }
    doc.CurrentScreenNumber = edited;
    doc.WorkingElements = {{KindLamp, std::make_shared<CLampElement>()}};
    doc.CommitWorkingElements();
    doc.ResetUndoHistory();
    return doc;
}
