#pragma once

#include "devices/AddressLookup.h"

// The names an element of `width` is bound by once completed, as a property
// page completes them when it shows the element: without a group name it
// takes the first group of its width (unless a group of that width bears the
// empty name, which the element then already names), and without an element
// name, in a named group that holds elements, it takes the group's first
// element; the group is the one FindGroupForWidth finds, so a group of that
// name in another width serves too. Names the table does not hold are kept.
AddressNames CompleteAddressNames(const AddressTable& table, int width, AddressNames names);
