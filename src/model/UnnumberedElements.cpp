#include "model/UnnumberedElements.h"

#include "model/CVX50TextDoc.h"

#include <algorithm>
#include <array>
#include <set>

namespace {

bool NumberList(const ElementList& elements)
{
    // Loading calls this for every screen; almost always nothing is
    // unnumbered, so the used-number sets are built only when needed.
    if (std::none_of(elements.begin(), elements.end(),
                     [](const ElementRef& ref) { return ref.element->Number == 0; }))
        return false;
    std::array<std::set<int>, kNumberClassCount> used;
    for (const ElementRef& ref : elements)
        used[static_cast<std::size_t>(ref.element->NumberClass())].insert(ref.element->Number);
    bool numbered = false;
    for (const ElementRef& ref : elements) {
        if (ref.element->Number != 0)
            continue;
        std::set<int>& numbers = used[static_cast<std::size_t>(ref.element->NumberClass())];
        int number = 1;
        while (numbers.count(number))
            ++number;
        ref.element->Number = static_cast<std::uint16_t>(number);
        numbers.insert(number);
        numbered = true;
    }
    return numbered;
}

} // namespace

bool NumberUnnumberedElements(CVX50TextDoc& document)
{
    bool numbered = NumberList(document.GetWorkingElements());
    for (const ScreenRecord& screen : document.GetScreens())
        numbered = NumberList(screen.Elements) || numbered;
    if (numbered)
        document.ProjectModified = 1;
    return numbered;
}
