#pragma once

#include "model/ElementRef.h"

#include <string>
#include <vector>

// The rows of the screen-data window for an element list, topmost element
// first (row r shows element n - 1 - r), as GBK text: a prefix naming the
// element's class, its number and what it shows or is bound to, e.g.
// "L_001 M0", "B_002 'ESC'键", "P_001 (10,20,32,16)".
//
// The number takes two leading zeros while its class counts fewer than ten
// elements, one below a hundred. An element not numbered yet shows the
// number it is counted as; the elements are not changed.
std::vector<std::string> ElementListRows(const ElementList& elements);
