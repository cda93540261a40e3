#pragma once

#include "model/elements/CScreenElement.h"

#include <memory>
#include <vector>

// One item of an element list: the element's kind code and the element. Lists
// share elements: the working list and the edited screen's list hold the same
// objects between operations.
struct ElementRef {
    int kind = 0;
    std::shared_ptr<CScreenElement> element;
};

// Drawing order: the first element is drawn first (bottom).
using ElementList = std::vector<ElementRef>;
