#include "model/AddressRepair.h"

#include "model/CVX50TextDoc.h"
#include "base/CheckedIndex.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kMaxGroupIndex = 255;

ElementGroup PlaceholderGroup()
{
    ElementGroup group;
    group.accessMode = CoilOrMultiWriteMode;
    group.elementType = PlaceholderElementType;
    group.interval32 = 1;
    return group;
}

} // namespace

std::string GeneratedGroupName(const char* format, int index)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, index);
    return buffer;
}

std::string GeneratedElementName(const char* format, int word, int bit)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(word), static_cast<unsigned>(bit));
    std::string name = buffer;
    std::transform(name.begin(), name.end(), name.begin(),
        [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return name;
}

AddressNames RepairAddress(CVX50TextDoc& doc, const AddressRepairPlan& plan)
{
    CheckIndex(plan.groupIndex, kMaxGroupIndex + 1);
    std::vector<ElementGroup>& table = doc.AddressTable;
    while (table.size() < static_cast<std::size_t>(plan.groupIndex) + 1)
        table.push_back(PlaceholderGroup());
    ElementGroup& group = table[static_cast<std::size_t>(plan.groupIndex)];

    if (group.elementType == PlaceholderElementType) {
        group.name = plan.newGroupName;
        group.elementType = plan.newGroupType;
        group.accessMode = plan.newGroupMode;
        group.interval32 = plan.newGroupInterval;
        group.elements.push_back({plan.newElementName, plan.wordAddress, plan.bit});
        doc.TableExtended = 1;
        return {group.name, plan.newElementName};
    }

    const bool present = std::any_of(group.elements.begin(), group.elements.end(), [&](const DeviceElement& e) {
        return e.name == plan.existingElementName && (!plan.matchBit || e.bit == plan.bit);
    });
    if (!present) {
        group.elements.push_back({plan.existingElementName, plan.wordAddress, plan.bit});
        doc.TableExtended = 1;
    }
    return {group.name, plan.existingElementName};
}

AddressRepairPlan WordRepairPlan(const CVX50TextDoc& doc, int groupIndex, int wordAddress, int wordSize)
{
    const bool word16 = wordSize == 16;
    AddressRepairPlan plan;
    plan.groupIndex = groupIndex;
    plan.wordAddress = wordAddress;
    plan.newGroupName = GeneratedGroupName(word16 ? "WORD%d" : "DWORD%d", groupIndex);
    plan.newGroupType = wordSize;
    plan.newGroupMode = word16 ? WordBitMode : CoilOrMultiWriteMode;
    plan.newGroupInterval = word16 ? 1 : doc.Register32Interval;
    plan.newElementName = GeneratedElementName(word16 ? "W%x" : "DW%x", wordAddress);
    plan.existingElementName = plan.newElementName;
    return plan;
}

AddressNames BindStoredAddress(CVX50TextDoc& doc, const AddressRepairPlan& plan, int bitCode, RepairWhen when)
{
    // An element that was never bound stores "no group": it reads back
    // unbound. Repairing it would fill the table with placeholder groups up
    // to index 255 and write them into the device file.
    if (plan.groupIndex == kNoGroupIndex)
        return {};
    if (doc.TableMissing)
        return RepairAddress(doc, plan);
    const AddressNames names = DecodeAddress(doc.AddressTable, plan.groupIndex, plan.wordAddress, bitCode);
    bool repair = false;
    switch (when) {
    case RepairWhen::TableMissing:
        break;
    case RepairWhen::Unnamed:
        repair = names.group.empty() && names.element.empty();
        break;
    case RepairWhen::PartlyUnnamed:
        repair = names.group.empty() || names.element.empty();
        break;
    }
    return repair ? RepairAddress(doc, plan) : names;
}
