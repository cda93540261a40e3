#include "simulator/SettableSearch.h"

#include "model/elements/CRegisterElement.h"

#include <algorithm>

namespace {

bool IsSettableRegister(const ElementRef& ref)
{
    return ref.kind == KindRegister && ref.element
        && static_cast<const CRegisterElement&>(*ref.element).IsSettable() != 0;
}

int FindIn(const ElementList& elements, int from, int to)
{
    for (int i = from; i < to; ++i)
        if (IsSettableRegister(elements[static_cast<std::size_t>(i)]))
            return i;
    return -1;
}

} // namespace

int FindNextSettable(const ElementList& elements, int start, bool wrap)
{
    const int size = static_cast<int>(elements.size());
    const int from = std::clamp(start, 0, size);
    const int found = FindIn(elements, from, size);
    if (found >= 0 || !wrap)
        return found;
    return FindIn(elements, 0, from);
}
