#pragma once

#include "model/ScreenRecord.h"

#include <vector>

// The order in which the project tree lists screens: ascending by number,
// whatever order the project file stored them in (the screens list keeps the
// file's order, which saving writes back unchanged).
std::vector<int> ScreenNumbersInTreeOrder(const std::vector<ScreenRecord>& screens);
