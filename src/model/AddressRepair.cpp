#include "model/AddressRepair.h"

#include "model/CVX50TextDoc.h"

#include <algorithm>
#include <cstdio>

AddressRepair::AddressRepair(CVX50TextDoc& doc)
    : AddressRepair(doc.AddressTable, doc.TableMissing != 0, doc.TableExtended)
{
}

AddressNames AddressRepair::Restore(int groupIndex, int wordAddress, int bit, const NewGroup& group,
                                    const DeviceElement& element)
{
    if (groupIndex == NoGroup)
        return {};
    if (!m_tableMissing) {
        AddressNames names{FindElementName(m_table, wordAddress, groupIndex, bit, GroupNameSelector),
                           FindElementName(m_table, wordAddress, groupIndex, bit, ElementNameSelector)};
        if (!names.group.empty() || !names.element.empty())
            return names;
    }
    FillUpTo(groupIndex);
    ElementGroup& g = Group(groupIndex);
    if (Realise(groupIndex, group)) {
        Insert(groupIndex, g.elements.size(), element);
    } else {
        const bool present = std::any_of(g.elements.begin(), g.elements.end(),
                                         [&](const DeviceElement& e) { return e.name == element.name; });
        if (!present)
            Insert(groupIndex, g.elements.size(), element);
    }
    return {g.name, element.name};
}

void AddressRepair::FillUpTo(int groupIndex)
{
    while (static_cast<int>(m_table.size()) <= groupIndex) {
        ElementGroup placeholder;
        placeholder.elementType = PlaceholderElementType;
        placeholder.accessMode = CoilOrMultiWriteMode;
        placeholder.interval32 = 1;
        m_table.push_back(std::move(placeholder));
        m_extended = 1;
    }
}

bool AddressRepair::Realise(int groupIndex, const NewGroup& group)
{
    ElementGroup& g = Group(groupIndex);
    if (g.elementType != PlaceholderElementType)
        return false;
    g.name = group.name;
    g.elementType = group.elementType;
    g.accessMode = group.accessMode;
    g.interval32 = group.interval32;
    m_extended = 1;
    return true;
}

void AddressRepair::Insert(int groupIndex, std::size_t position, const DeviceElement& element)
{
    auto& elements = Group(groupIndex).elements;
    elements.insert(elements.begin() + static_cast<std::ptrdiff_t>(std::min(position, elements.size())), element);
    m_extended = 1;
}

std::string HexName(std::string_view prefix, int word)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(word));
    return std::string(prefix) + buffer;
}

std::string HexBitName(int word, int bit)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "B%X-%X", static_cast<unsigned>(word), static_cast<unsigned>(bit));
    return buffer;
}

std::string IndexName(std::string_view prefix, int groupIndex)
{
    return std::string(prefix) + std::to_string(groupIndex);
}
