#include "pages/DynTextRules.h"

#include "base/ShortText.h"
#include "devices/AddressFileText.h"
#include "pages/DisplayFit.h"
#include "pages/StaticTextFit.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kLineHeight = 16;

std::int32_t Low16(const std::string& stored)
{
    return LeadingDecimal(stored) & 0xFFFF;
}

std::size_t LongestText(const std::vector<DynTextEntry>& entries)
{
    std::size_t longest = 0;
    for (const DynTextEntry& entry : entries)
        longest = std::max(longest, entry.text.size());
    return longest;
}

DotBox KeptOnDisplay(DotBox box)
{
    box.x = PullInside(box.x, box.w, kDisplayWidth);
    box.y = PullInside(box.y, box.h, kDisplayHeight);
    return box;
}

void AppendEntriesThrough(std::vector<DynTextEntry>& entries, int row)
{
    while (static_cast<int>(entries.size()) <= row)
        entries.emplace_back();
}

} // namespace

std::string ShownEntryValue(const std::string& stored, NumberFormat format)
{
    if (stored.empty())
        return {};
    return FormatValueText(Low16(stored), format, 16);
}

std::optional<std::string> StoredEntryValue(std::string_view typed, NumberFormat format)
{
    if (typed.empty())
        return std::string();
    const std::optional<std::int64_t> value = ParseValueText(typed, format, 16, DigitLimit{4, 5});
    if (!value)
        return std::nullopt;
    return std::to_string(*value);
}

std::vector<DynTextEntry> EntriesInUnsignedDecimal(std::vector<DynTextEntry> entries)
{
    for (DynTextEntry& entry : entries)
        entry.value = ShownEntryValue(entry.value, NumberFormat::Unsigned);
    return entries;
}

int DynTextWidth(const std::vector<DynTextEntry>& entries, bool doubleSize)
{
    return StaticTextWidth(LongestText(entries), doubleSize);
}

bool MayTakeEntryText(const std::vector<DynTextEntry>& entries, int row, const std::string& text, bool doubleSize)
{
    if (text.size() > StaticTextLimit(doubleSize))
        return false;
    if (!text.empty())
        return true;
    for (int k = 0; k < static_cast<int>(entries.size()); ++k)
        if (k != row && !entries[static_cast<std::size_t>(k)].text.empty())
            return true;
    return false;
}

DynTextLayout DoubleDynText(std::vector<DynTextEntry> entries, DotBox box)
{
    bool cut = false;
    for (DynTextEntry& entry : entries) {
        if (entry.text.size() > kDoubleSizeStaticTextBytes) {
            entry.text = std::string(GbkPrefix(entry.text, kDoubleSizeStaticTextBytes));
            cut = true;
        }
    }
    box.w = cut ? DynTextWidth(entries, true) : 2 * box.w;
    box.h *= 2;
    return {std::move(entries), KeptOnDisplay(box)};
}

std::optional<DynTextLayout> PresetLayout(const std::vector<PresetText>& presets, const PresetAddress& address,
    bool isSigned, bool doubleSize, DotBox box)
{
    const auto preset = std::find_if(presets.rbegin(), presets.rend(), [&](const PresetText& p) {
        return p.Address == address.wordAddress && p.Bit == address.bit && p.GroupName == address.group;
    });
    if (preset == presets.rend())
        return std::nullopt;
    const NumberFormat format = isSigned ? NumberFormat::Signed : NumberFormat::Unsigned;
    DynTextLayout layout;
    for (const PresetTextPair& pair : preset->Pairs) {
        layout.entries.push_back({std::string(GbkPrefix(pair.Text, StaticTextLimit(doubleSize))),
            FormatValueText(pair.Value & 0xFFFF, format, 16)});
    }
    box.w = DynTextWidth(layout.entries, doubleSize);
    box.h = doubleSize ? 2 * kLineHeight : kLineHeight;
    layout.box = KeptOnDisplay(box);
    return layout;
}

std::vector<DynTextEntry> BitTypeEntries(std::vector<DynTextEntry> entries)
{
    for (std::size_t k = 0; k < entries.size(); ++k) {
        if (k < 2)
            entries[k].value = std::to_string(k);
        else
            entries[k] = {};
    }
    return entries;
}

bool PrepareCellEdit(std::vector<DynTextEntry>& entries, int wordSize, int row, int column)
{
    if (row < 0 || row >= kDynTextGridRows || (column != ValueColumn && column != TextColumn))
        return false;
    const bool bit = wordSize == 0;
    const int count = static_cast<int>(entries.size());
    if (bit && (row > 1 || column == ValueColumn))
        return false;
    if (column == ValueColumn) {
        AppendEntriesThrough(entries, row);
        return true;
    }
    if (!bit && (row >= count || entries[static_cast<std::size_t>(row)].value.empty()))
        return false;
    if (row >= count) {
        // A bit's row follows the last entry's value by the rows between them.
        const int last = count - 1;
        const int value = last < 0 ? row : LeadingDecimal(entries.back().value) + row - last;
        AppendEntriesThrough(entries, row);
        entries[static_cast<std::size_t>(row)].value = std::to_string(value);
    }
    return true;
}
