#include "model/projectfile/SectionAddress.h"

#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"

#include <charconv>

void WriteSectionWord(ByteWriter& out, const AddressTable& table, std::string_view group, std::string_view element)
{
    // An absent element (-1) keeps the bytes 0xFF, 0x00 that the panel tools
    // have always stored for it.
    const int word = FindElementAddress(table, group, element);
    out.U8(static_cast<std::uint8_t>(word % 256));
    out.U8(static_cast<std::uint8_t>(word / 256));
}

std::uint8_t SectionGroupIndex(const AddressTable& table, std::string_view group)
{
    const int index = FindElementGroupIndex(table, group);
    return static_cast<std::uint8_t>(index < 0 ? 0xFF : index);
}

std::uint8_t SectionBitCode(const AddressTable& table, std::string_view group, std::string_view element)
{
    const int bit = FindElementBit(table, group, element);
    return static_cast<std::uint8_t>(IsWordBitMode(GetElementGroupMode(table, group)) ? bit + 0x80 : bit);
}

int SectionNumber(std::string_view text)
{
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

AddressRepairPlan SectionRepairPlan(int groupIndex, int wordAddress, int bit, std::string group, int type, int mode,
                                    int interval, std::string element)
{
    AddressRepairPlan plan;
    plan.groupIndex = groupIndex;
    plan.wordAddress = wordAddress;
    plan.bit = bit;
    plan.newGroupName = std::move(group);
    plan.newGroupType = type;
    plan.newGroupMode = mode;
    plan.newGroupInterval = interval;
    plan.newElementName = element;
    plan.existingElementName = std::move(element);
    return plan;
}

AddressNames LookUpSectionAddress(const CVX50TextDoc& doc, int groupIndex, int wordAddress, int bit)
{
    if (groupIndex == NoGroupIndex || doc.TableMissing)
        return {};
    return {FindElementName(doc.AddressTable, wordAddress, groupIndex, bit, GroupNameSelector),
            FindElementName(doc.AddressTable, wordAddress, groupIndex, bit, ElementNameSelector)};
}

AddressNames RestoreSectionAddress(CVX50TextDoc& doc, const AddressRepairPlan& plan)
{
    if (plan.groupIndex == NoGroupIndex)
        return {};
    AddressNames names = LookUpSectionAddress(doc, plan.groupIndex, plan.wordAddress, plan.bit);
    if (!names.group.empty() || !names.element.empty())
        return names;
    return RepairAddress(doc, plan);
}
