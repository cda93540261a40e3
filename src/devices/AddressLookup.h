#pragma once

#include "devices/ElementGroup.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Translations between the names by which screen elements, alarms, global
// buttons and copy registers name a device address (element group, element)
// and the address code that files and the panel image store (group index,
// word address, bit code).
//
// Every lookup is a linear scan that only reads the table, so it always sees
// the current table and may run on the simulation worker while no command can
// change the table. Names compare byte by byte (case-sensitive, untrimmed). A
// group name selects the FIRST group of that name; the element lookups search
// only that group, even when a later group of the same name holds the element.

// The names of the groups of element type `elementType`, in table order.
std::vector<std::string> GroupNamesOfType(const AddressTable& table, int elementType);

// The group that an element of `width` means by `group`: the first group of
// that name and width, else the first group of that name in another width
// (a table read from a file may repeat a name in another width); nullptr
// when no group has the name.
const ElementGroup* FindGroupForWidth(const AddressTable& table, int width, std::string_view group);

// Index of the first group named `group`; -1 when none.
int FindElementGroupIndex(const AddressTable& table, std::string_view group);
// Access mode (0, 1, 2) of the group; -1 when no group has the name.
int GetElementGroupMode(const AddressTable& table, std::string_view group);
// Word address of the element; -1 when the group or the element is absent.
int FindElementAddress(const AddressTable& table, std::string_view group, std::string_view element);
// Bit number of the element as stored (no 0x80 added); 0 when absent.
int FindElementBit(const AddressTable& table, std::string_view group, std::string_view element);
// Bit number of the group's element at `index`; 0 when no group has the name
// (the index is then not looked at). An index outside the group's elements
// throws std::out_of_range("invalid vector<T> subscript").
int GetElementBitAt(const AddressTable& table, std::string_view group, int index);

// The group and element names of the first element of group `groupIndex`
// with exactly this word address and bit number; both empty when the index
// names no group or no element matches.
struct AddressNames {
    std::string group;
    std::string element;
};
AddressNames FindAddressNames(const AddressTable& table, int groupIndex, int wordAddress, int bit);

// Which name FindElementName gives back.
enum NameSelector : int {
    GroupNameSelector = 0,   // any value but 1
    ElementNameSelector = 1,
};
// One of the names FindAddressNames gives: the element's (selector 1) or its
// group's (any other selector).
std::string FindElementName(const AddressTable& table, int wordAddress, int groupIndex, int bit, int selector);

// The address code of a named address, as records compute it while the
// protocol library is in use.
// The group index that records store for an element bound to no group.
constexpr int kNoGroupIndex = 0xFF;

struct AddressCode {
    std::uint8_t groupIndex = kNoGroupIndex; // for an absent group
    int wordAddress = -1;           // -1 for an absent element
    std::uint8_t bitCode = 0;       // bit + 0x80 in groups of mode 0 or 2, else 0

    // The word address as stored in two bytes: an absent element (-1) is
    // stored as high byte 0x00, low byte 0xFF.
    std::uint8_t WordHigh() const { return static_cast<std::uint8_t>(wordAddress / 256); }
    std::uint8_t WordLow() const { return static_cast<std::uint8_t>(wordAddress % 256); }
};
AddressCode EncodeAddress(const AddressTable& table, std::string_view group, std::string_view element);

// The bit number of a stored bit code: code - 0x80 for codes of 0x80 and
// above, the code itself otherwise.
inline int BitFromBitCode(int bitCode)
{
    return bitCode >= 0x80 ? bitCode - 0x80 : bitCode;
}

// The names a key without the protocol library takes from its group index
// and the plain address number it carries: the group's element at that word
// address, else the group's first element (the key then still names its
// group, which is all its panel record uses); empty for an index that names
// no group. The panel read and the project file bind such keys alike.
AddressNames FindPlainAddressNames(const AddressTable& table, int groupIndex, int address);

// The names of a stored address code; both empty when the table does not
// hold the address (the record reader then repairs the table).
AddressNames DecodeAddress(const AddressTable& table, int groupIndex, int wordAddress, int bitCode);
