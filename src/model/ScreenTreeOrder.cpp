#include "model/ScreenTreeOrder.h"

#include <algorithm>

std::vector<int> ScreenNumbersInTreeOrder(const std::vector<ScreenRecord>& screens)
{
    std::vector<int> numbers;
    numbers.reserve(screens.size());
    for (const ScreenRecord& screen : screens)
        numbers.push_back(screen.Number);
    std::stable_sort(numbers.begin(), numbers.end());
    return numbers;
}
