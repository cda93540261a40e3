#include "devices/AddressNameCompletion.h"

#include <algorithm>

AddressNames CompleteAddressNames(const AddressTable& table, int width, AddressNames names)
{
    const auto ofWidth = [width](const ElementGroup& g) { return g.elementType == width; };
    if (names.group.empty()) {
        const auto first = std::find_if(table.begin(), table.end(), ofWidth);
        const bool emptyNamed = std::any_of(first, table.end(),
            [&](const ElementGroup& g) { return ofWidth(g) && g.name.empty(); });
        if (first != table.end() && !emptyNamed)
            names.group = first->name;
    }
    if (names.group.empty() || !names.element.empty())
        return names;
    const ElementGroup* group = FindGroupForWidth(table, width, names.group);
    if (group && !group->elements.empty())
        names.element = group->elements.front().name;
    return names;
}
