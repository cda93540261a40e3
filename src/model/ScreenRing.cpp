#include "model/ScreenRing.h"

#include <algorithm>

namespace {

// The numbers in ascending order: the ring's order.
std::vector<int> SortedNumbers(const std::vector<ScreenRecord>& screens)
{
    std::vector<int> numbers;
    numbers.reserve(screens.size());
    for (const ScreenRecord& s : screens)
        numbers.push_back(s.Number);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// Links are set on every screen with the number, as the panel finds screens
// by number.
void SetLink(std::vector<ScreenRecord>& screens, int number, int ScreenRecord::*link, int to)
{
    for (ScreenRecord& s : screens) {
        if (s.Number == number)
            s.*link = to;
    }
}

} // namespace

void LinkIntoScreenRing(std::vector<ScreenRecord>& screens, ScreenRecord& screen)
{
    if (screens.empty()) {
        screen.UpKeyScreen = screen.DownKeyScreen = screen.Number;
        return;
    }
    const std::vector<int> numbers = SortedNumbers(screens);
    const auto above = std::upper_bound(numbers.begin(), numbers.end(), screen.Number);
    const auto below = std::lower_bound(numbers.begin(), numbers.end(), screen.Number);
    const int previous = below == numbers.begin() ? numbers.back() : *(below - 1);
    const int next = above == numbers.end() ? numbers.front() : *above;
    screen.UpKeyScreen = previous;
    screen.DownKeyScreen = next;
    SetLink(screens, previous, &ScreenRecord::DownKeyScreen, screen.Number);
    SetLink(screens, next, &ScreenRecord::UpKeyScreen, screen.Number);
}

void UnlinkFromScreenRing(std::vector<ScreenRecord>& screens, int number)
{
    const std::vector<int> numbers = SortedNumbers(screens);
    const auto at = std::find(numbers.begin(), numbers.end(), number);
    if (at == numbers.end() || numbers.size() < 2)
        return;
    const int previous = at == numbers.begin() ? numbers.back() : *(at - 1);
    const int next = at + 1 == numbers.end() ? numbers.front() : *(at + 1);
    SetLink(screens, previous, &ScreenRecord::DownKeyScreen, next);
    SetLink(screens, next, &ScreenRecord::UpKeyScreen, previous);
}
