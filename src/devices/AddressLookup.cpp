#include "devices/AddressLookup.h"

#include <stdexcept>
#include <utility>

namespace {

const ElementGroup* FirstGroupNamed(const AddressTable& table, std::string_view group)
{
    for (const auto& g : table)
        if (g.name == group)
            return &g;
    return nullptr;
}

const DeviceElement* FindElement(const ElementGroup& group, std::string_view element)
{
    for (const auto& e : group.elements)
        if (e.name == element)
            return &e;
    return nullptr;
}

const DeviceElement* FindElement(const AddressTable& table, std::string_view group, std::string_view element)
{
    const ElementGroup* g = FirstGroupNamed(table, group);
    return g ? FindElement(*g, element) : nullptr;
}

} // namespace

std::vector<std::string> GroupNamesOfType(const AddressTable& table, int elementType)
{
    std::vector<std::string> names;
    for (const ElementGroup& group : table)
        if (group.elementType == elementType)
            names.push_back(group.name);
    return names;
}

const ElementGroup* FindGroupForWidth(const AddressTable& table, int width, std::string_view group)
{
    for (const ElementGroup& g : table)
        if (g.name == group && g.elementType == width)
            return &g;
    return FirstGroupNamed(table, group);
}

int FindElementGroupIndex(const AddressTable& table, std::string_view group)
{
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].name == group)
            return static_cast<int>(i);
    return -1;
}

int GetElementGroupMode(const AddressTable& table, std::string_view group)
{
    const ElementGroup* g = FirstGroupNamed(table, group);
    return g ? g->accessMode : -1;
}

int FindElementAddress(const AddressTable& table, std::string_view group, std::string_view element)
{
    const DeviceElement* e = FindElement(table, group, element);
    return e ? e->wordAddress : -1;
}

int FindElementBit(const AddressTable& table, std::string_view group, std::string_view element)
{
    const DeviceElement* e = FindElement(table, group, element);
    return e ? e->bit : 0;
}

int GetElementBitAt(const AddressTable& table, std::string_view group, int index)
{
    const ElementGroup* g = FirstGroupNamed(table, group);
    if (!g)
        return 0;
    if (index < 0 || static_cast<std::size_t>(index) >= g->elements.size())
        throw std::out_of_range("invalid vector<T> subscript");
    return g->elements[static_cast<std::size_t>(index)].bit;
}

AddressNames FindAddressNames(const AddressTable& table, int groupIndex, int wordAddress, int bit)
{
    if (groupIndex < 0 || static_cast<std::size_t>(groupIndex) >= table.size())
        return {};
    const ElementGroup& g = table[static_cast<std::size_t>(groupIndex)];
    for (const auto& e : g.elements)
        if (e.wordAddress == wordAddress && e.bit == bit)
            return {g.name, e.name};
    return {};
}

AddressNames FindPlainAddressNames(const AddressTable& table, int groupIndex, int address)
{
    if (groupIndex < 0 || static_cast<std::size_t>(groupIndex) >= table.size())
        return {};
    const ElementGroup& g = table[static_cast<std::size_t>(groupIndex)];
    for (const auto& e : g.elements)
        if (e.wordAddress == address)
            return {g.name, e.name};
    return {g.name, g.elements.empty() ? std::string() : g.elements.front().name};
}

std::string FindElementName(const AddressTable& table, int wordAddress, int groupIndex, int bit, int selector)
{
    AddressNames names = FindAddressNames(table, groupIndex, wordAddress, bit);
    return std::move(selector == ElementNameSelector ? names.element : names.group);
}

AddressCode EncodeAddress(const AddressTable& table, std::string_view group, std::string_view element)
{
    AddressCode code;
    const int index = FindElementGroupIndex(table, group);
    if (index < 0)
        return code;
    const ElementGroup& g = table[static_cast<std::size_t>(index)];
    const DeviceElement* e = FindElement(g, element);
    code.groupIndex = static_cast<std::uint8_t>(index);
    code.wordAddress = e ? e->wordAddress : -1;
    if (IsWordBitMode(g.accessMode))
        code.bitCode = static_cast<std::uint8_t>((e ? e->bit : 0) + 0x80);
    return code;
}

AddressNames DecodeAddress(const AddressTable& table, int groupIndex, int wordAddress, int bitCode)
{
    return FindAddressNames(table, groupIndex, wordAddress, BitFromBitCode(bitCode));
}
