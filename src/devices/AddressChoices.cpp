#include "devices/AddressChoices.h"

#include "devices/AddressNameCompletion.h"
#include "devices/ElementTypeText.h"

#include <algorithm>

namespace {

std::string FirstElementName(const ElementGroup* group)
{
    return group && !group->elements.empty() ? group->elements.front().name : std::string();
}

int IndexOf(const std::vector<std::string>& list, const std::string& text)
{
    const auto it = std::find(list.begin(), list.end(), text);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

} // namespace

std::vector<int> OfferedTypes(const AddressRules& rules, int width)
{
    std::vector<int> types = rules.types;
    if (rules.bitOrWordTypes)
        std::erase_if(types, [width](int type) { return (type == BitElementType) != (width == BitElementType); });
    return types;
}

AddressChoices ResetAddressChoices(const AddressTable& table, const AddressRules& rules, int width)
{
    AddressChoices choices;
    choices.types = OfferedTypes(rules, width);
    choices.groups = GroupNamesOfType(table, width);
    if (choices.groups.empty())
        return choices;
    const std::string& first = choices.groups.front();
    const std::string element = FirstElementName(table, width, first);
    const bool zero = std::find(rules.zeroGroups.begin(), rules.zeroGroups.end(), first) != rules.zeroGroups.end();
    if (zero && rules.zeroPlace == ZeroNamePlace::First)
        choices.names.emplace_back("0");
    if (!element.empty())
        choices.names.push_back(element);
    if (zero && rules.zeroPlace == ZeroNamePlace::AfterFirstElement)
        choices.names.emplace_back("0");
    return choices;
}

AddressSelection SelectElementAddress(const AddressTable& table, const AddressRules& rules, int width,
    const std::string& typeText, const AddressNames& current)
{
    AddressSelection selection;
    selection.choices = ResetAddressChoices(table, rules, width);
    for (std::size_t i = 0; i < selection.choices.types.size(); ++i)
        if (ElementTypeText(selection.choices.types[i]) == typeText)
            selection.typeIndex = static_cast<int>(i);

    selection.names = CompleteAddressNames(table, width, current);
    selection.groupIndex = IndexOf(selection.choices.groups, selection.names.group);
    return selection;
}

TypeChoice ChooseElementType(const AddressTable& table, int width)
{
    TypeChoice choice;
    choice.groups = GroupNamesOfType(table, width);
    if (!choice.groups.empty()) {
        choice.names.group = choice.groups.front();
        choice.names.element = FirstElementName(table, width, choice.names.group);
    }
    return choice;
}

AddressNames ChooseElementGroup(const AddressTable& table, const AddressRules& rules, int width,
    const AddressNames& current, const std::string& group)
{
    if (group == current.group)
        return current;
    AddressNames names{group, FirstElementName(table, width, group)};
    if (names.element.empty() && !rules.emptyNameForEmptyGroup)
        names.element = current.element;
    return names;
}

bool MayBindElementName(const AddressTable& table, int width, const std::string& group, const std::string& name,
    bool needsNextWord)
{
    const ElementGroup* found = FindGroupForWidth(table, width, group);
    if (!found)
        return false;
    const auto& elements = found->elements;
    const auto chosen =
        std::find_if(elements.begin(), elements.end(), [&](const DeviceElement& e) { return e.name == name; });
    if (chosen == elements.end())
        return false;
    if (!needsNextWord)
        return true;
    return std::any_of(elements.begin(), elements.end(),
        [&](const DeviceElement& e) { return e.wordAddress == chosen->wordAddress + 1; });
}

std::vector<std::string> GroupElementNames(const AddressTable& table, int width, const std::string& group)
{
    std::vector<std::string> names;
    if (const ElementGroup* found = FindGroupForWidth(table, width, group))
        for (const DeviceElement& element : found->elements)
            names.push_back(element.name);
    return names;
}

std::string FirstElementName(const AddressTable& table, int width, const std::string& group)
{
    return FirstElementName(FindGroupForWidth(table, width, group));
}

bool IsQm4OnlyGroup(const std::string& protocolLibrary, const std::string& group)
{
    return protocolLibrary == "QM4-232.dll" && (group == "N" || group == "S");
}
