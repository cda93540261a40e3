#include "shell/LayerOrder.h"

#include <algorithm>

namespace {

bool IsSelected(const ElementRef& ref)
{
    return ref.element && ref.element->Selected == 1;
}

// Moves the selected elements to the front (or the back) keeping both groups
// in order; returns whether any element changed place, which it does unless
// the list is already so divided.
bool GatherSelected(ElementList& elements, bool toFront)
{
    const auto first = [toFront](const ElementRef& ref) { return IsSelected(ref) == toFront; };
    if (std::is_partitioned(elements.begin(), elements.end(), first))
        return false;
    std::stable_partition(elements.begin(), elements.end(), first);
    return true;
}

} // namespace

bool SendToBottom(ElementList& elements)
{
    return GatherSelected(elements, true);
}

bool BringToTop(ElementList& elements)
{
    if (elements.empty() || IsSelected(elements.back()))
        return false;
    return GatherSelected(elements, false);
}

bool MoveDownOne(ElementList& elements)
{
    if (elements.empty() || IsSelected(elements.front()))
        return false;
    bool moved = false;
    for (std::size_t i = 1; i < elements.size(); ++i) {
        if (IsSelected(elements[i]) && !IsSelected(elements[i - 1])) {
            std::swap(elements[i], elements[i - 1]);
            moved = true;
        }
    }
    return moved;
}

bool MoveUpOne(ElementList& elements)
{
    if (elements.empty() || IsSelected(elements.back()))
        return false;
    bool moved = false;
    for (std::size_t i = elements.size() - 1; i-- > 0;) {
        if (IsSelected(elements[i]) && !IsSelected(elements[i + 1])) {
            std::swap(elements[i], elements[i + 1]);
            moved = true;
        }
    }
    return moved;
}
