#pragma once

#include "devices/AddressLookup.h"
#include "devices/ElementGroup.h"

#include <string>
#include <vector>

// What the three address combos of a property page (element type, element
// group, element name) offer, and how a choice in them changes the names an
// element is bound by; the widgets only show these results.
//
// Names compare exactly. The group lists hold the groups of the element's
// width, so a group name stands for the first group of that name and width
// (a table read from a file may repeat a name in another width); only a
// group of another width is found by its name alone.

// Where the name "0" (the panel's own relay or register, not a device
// element) stands in the name list of a page's "0" groups.
enum class ZeroNamePlace { First, AfterFirstElement };

// How one page binds addresses.
struct AddressRules {
    // The element types (widths 0, 16, 32) that the type combo offers.
    std::vector<int> types;
    // Of those, a bit element is offered the bit type alone and a word
    // element the word types alone.
    bool bitOrWordTypes = false;
    // Groups whose freshly reset name list also offers "0".
    std::vector<std::string> zeroGroups;
    ZeroNamePlace zeroPlace = ZeroNamePlace::First;
    // Choosing a group without elements empties the element name (else the
    // name stays).
    bool emptyNameForEmptyGroup = false;
    // Choosing another group sets the element's address text to "0".
    bool resetAddressText = true;
    // Choosing group "N" or "S" of a "QM4-232.dll" device warns (IdsOnlyForQm4fbd).
    bool warnQm4Groups = false;
};

// The types the type combo offers an element of `width`.
std::vector<int> OfferedTypes(const AddressRules& rules, int width);

// The lists of the three combos for an element of `width`: the offered
// types, the groups of that width in table order, and the name list of the
// first of them (its first element, with "0" where the rules say). With no
// group of the width the group and the name lists are empty.
struct AddressChoices {
    std::vector<int> types;
    std::vector<std::string> groups;
    std::vector<std::string> names;
};
AddressChoices ResetAddressChoices(const AddressTable& table, const AddressRules& rules, int width);

// The combos for an element bound by `typeText` and `current`: the lists for
// its width, the entries that show its type and group (-1 for none), and its
// names completed: an element without a group takes the first group of its
// width, and an element without a name in a group with elements takes the
// group's first element. A group the table no longer holds is kept, shown by
// no entry. The name combo holds the element's name alone.
struct AddressSelection {
    AddressChoices choices;
    int typeIndex = -1;
    int groupIndex = -1;
    AddressNames names;
};
AddressSelection SelectElementAddress(const AddressTable& table, const AddressRules& rules, int width,
    const std::string& typeText, const AddressNames& current);

// After the user chose the type of `width`: the groups of that width, and the
// element's new names: the first of those groups and the first element of
// that group (each empty when there is none).
struct TypeChoice {
    std::vector<std::string> groups;
    AddressNames names;
};
TypeChoice ChooseElementType(const AddressTable& table, int width);

// The element's names after the user chose `group` for an element of
// `width`: another group brings its first element (for a group without
// elements the rules keep or empty the name); the same group changes
// nothing.
AddressNames ChooseElementGroup(const AddressTable& table, const AddressRules& rules, int width,
    const AddressNames& current, const std::string& group);

// Whether the element named `name` in `group` may be bound to an element of
// `width`: the group holds it and, for a value of two registers
// (`needsNextWord`), also an element at its word address plus 1.
bool MayBindElementName(const AddressTable& table, int width, const std::string& group, const std::string& name,
    bool needsNextWord);

// The element names of `group` for an element of `width`, in table order;
// empty when no group has the name.
std::vector<std::string> GroupElementNames(const AddressTable& table, int width, const std::string& group);
// The first of those names; empty when the group has no element or no group
// has the name.
std::string FirstElementName(const AddressTable& table, int width, const std::string& group);

// Groups "N" and "S" exist only on QM4FBD panels: choosing one for a device
// of protocol library "QM4-232.dll" warns.
bool IsQm4OnlyGroup(const std::string& protocolLibrary, const std::string& group);
