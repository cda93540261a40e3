#pragma once

#include "devices/ElementGroup.h"

#include <string>
#include <utility>
#include <vector>

// An address-table group for fixtures, fields given in one call.
inline ElementGroup MakeGroup(std::string name, int type, int mode, std::vector<DeviceElement> elements = {},
                              int interval = 1)
{
    ElementGroup g;
    g.name = std::move(name);
    g.elementType = type;
    g.accessMode = mode;
    g.interval32 = interval;
    g.elements = std::move(elements);
    return g;
}

// The names of the group's elements, in order.
inline std::vector<std::string> ElementNames(const ElementGroup& group)
{
    std::vector<std::string> names;
    for (const auto& e : group.elements)
        names.push_back(e.name);
    return names;
}
