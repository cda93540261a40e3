#include "devices/NewElementBatch.h"

#include "StringIds.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "devices/AddressFileText.h"
#include "devices/AddressLookup.h"
#include "devices/AddressTableRows.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <system_error>

namespace {

constexpr int kHighestWord = 0xFFFF;

int Radix(int base)
{
    return base == OctalBase ? 8 : base == HexBase ? 16 : 10;
}

bool IsAddressCharacter(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == '.';
}

// Whether the start address has the form the group's addresses take:
// "word.bit" with one point and at most one character after it in a
// bit-addressed group, no point at all in any other.
bool AddressFitsGroup(std::string_view address, const ElementGroup& group)
{
    const std::size_t point = address.find('.');
    if (!IsBitAddressedGroup(group))
        return point == std::string_view::npos;
    return point != std::string_view::npos && address.find('.', point + 1) == std::string_view::npos
        && address.size() - point - 1 <= 1;
}

const ElementGroup* FindGroup(const AddressTable& groups, std::string_view name)
{
    const int index = FindElementGroupIndex(groups, name);
    return index < 0 ? nullptr : &groups[static_cast<std::size_t>(index)];
}

bool AskToReplace(UserInterface& ui, const std::string& name)
{
    const std::string question = StringGbk(IdsElementNamePrefix) + name + StringGbk(IdsElementExistsReplace);
    return ui.ShowMessageText(question, MbYesNo | MbIconInformation) == IdYes;
}

} // namespace

std::optional<int> ParseStartNumber(std::string_view text, int base)
{
    if (text.empty())
        return 0;
    // Digits only (no sign), either case; a value too large for the type
    // fails like one above the limit.
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, Radix(base));
    if (error != std::errc() || stop != end || value >= unsigned(kRunningNumberLimit))
        return std::nullopt;
    return static_cast<int>(value);
}

std::string FormatRunningNumber(int value, int base)
{
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, Radix(base)).ptr;
    std::string text(buffer, end);
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return c >= 'a' ? char(c - 'a' + 'A') : c; });
    return text;
}

std::string RebaseStartNumber(const std::string& text, int from, int to)
{
    if (text.empty() || from == to)
        return text;
    const std::optional<int> value = ParseStartNumber(text, from);
    return value ? FormatRunningNumber(*value, to) : text;
}

bool StartNumberFits(std::string_view text, int base, int count)
{
    const std::optional<int> start = ParseStartNumber(text, base);
    return start && *start + count <= kRunningNumberLimit;
}

int NewElementRefusal(const NewElementRequest& request, const AddressTable& groups)
{
    if (Trim(request.name).empty() || groups.empty())
        return IdsElementOrGroupNameEmpty;
    const ElementGroup* group = FindGroup(groups, request.groupName);
    if (!group)
        return IdsChosenGroupNameEmpty;
    if (request.batch && request.startNumber.empty())
        return IdsStartNumberEmpty;
    if (!StartNumberFits(request.startNumber, request.base, request.count))
        return IdsStartPlusCountOver65535;
    if (!AddressFitsGroup(request.startAddress, *group))
        return IdsAddressFormatBad;
    if (!std::all_of(request.startAddress.begin(), request.startAddress.end(), IsAddressCharacter))
        return IdsTableAddressFormatBad;
    return 0;
}

void CreateElements(AddressTable& groups, const NewElementRequest& request, UserInterface& ui)
{
    const int index = FindElementGroupIndex(groups, request.groupName);
    if (index < 0)
        return;
    ElementGroup& group = groups[static_cast<std::size_t>(index)];
    const std::string prefix(Trim(request.name));
    const bool bitAddressed = IsBitAddressedGroup(group);
    const WordBit start = ParseAddressText(request.startAddress);
    const std::optional<int> firstNumber =
        request.startNumber.empty() ? std::nullopt : ParseStartNumber(request.startNumber, request.base);

    // Names are looked up among the group's elements as they were: the new
    // ones join them only at the end.
    const std::size_t existing = group.elements.size();
    std::vector<DeviceElement> added;
    for (int i = 0; i < request.count; ++i) {
        std::string name = prefix;
        if (firstNumber)
            name += FormatRunningNumber(*firstNumber + i, request.base);
        std::int64_t word = start.word;
        int bit = 0;
        if (bitAddressed) {
            const std::int64_t t = std::int64_t(start.bit) + i;
            word += (t / 16) * request.interval;
            bit = static_cast<int>(t % 16);
        } else {
            word += std::int64_t(i) * request.interval;
        }
        const bool fits = word >= 0 && word <= kHighestWord;

        const auto same = std::find_if(group.elements.begin(), group.elements.begin() + existing,
                                       [&](const DeviceElement& e) { return e.name == name; });
        if (same != group.elements.begin() + existing) {
            if (AskToReplace(ui, name) && fits) {
                same->wordAddress = static_cast<int>(word);
                same->bit = bit;
            }
        } else if (fits) {
            added.push_back({std::move(name), static_cast<int>(word), bit});
        }
    }

    const auto at = group.elements.begin()
        + static_cast<std::ptrdiff_t>(std::min<std::size_t>(std::max(request.position, 0), existing));
    group.elements.insert(at, std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
}
