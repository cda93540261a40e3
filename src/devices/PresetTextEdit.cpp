#include "devices/PresetTextEdit.h"

#include "devices/AddressLookup.h"

#include <algorithm>

namespace {

bool IsKeyOf(const PresetText& preset, const PresetTextKey& key)
{
    return preset.Address == key.address && preset.Bit == key.bit && preset.GroupName == key.group;
}

// The record's pairs become the rows that count, so that a stored record
// equals what its file gives back.
void TakePairs(PresetText& preset, const std::vector<PresetTextRow>& rows, NumberFormat typedIn)
{
    preset.Pairs.clear();
    for (const PresetTextRow& row : rows) {
        if (preset.Pairs.size() == PresetText::MaxPairs)
            break;
        if (row.value.empty() || row.text.empty())
            continue;
        const std::optional<int> value = ParsePresetTextValue(row.value, typedIn);
        if (!value)
            continue;
        preset.Pairs.push_back({*value & 0xFFFF, row.text});
    }
}

} // namespace

std::optional<PresetTextKey> PresetTextKeyOf(const AddressTable& table, const std::string& group,
    const std::string& element)
{
    if (group.empty() || element.empty())
        return std::nullopt;
    const int address = FindElementAddress(table, group, element);
    if (address < 0)
        return std::nullopt;
    const int bit = IsWordBitMode(GetElementGroupMode(table, group)) ? FindElementBit(table, group, element) : 0;
    return PresetTextKey{group, address, bit};
}

const PresetText* FindShownPresetText(const std::vector<PresetText>& presets, const std::optional<PresetTextKey>& key)
{
    if (!key)
        return nullptr;
    const auto isKey = [&](const PresetText& p) { return IsKeyOf(p, *key); };
    const auto found = std::find_if(presets.rbegin(), presets.rend(), isKey);
    return found == presets.rend() ? nullptr : &*found;
}

std::vector<PresetTextRow> PresetTextRows(const PresetText& preset, NumberFormat format)
{
    std::vector<PresetTextRow> rows;
    for (const PresetTextPair& pair : preset.Pairs)
        rows.push_back({FormatValueText(pair.Value & 0xFFFF, format, 16), pair.Text});
    return rows;
}

void StorePresetTextRows(std::vector<PresetText>& presets, const std::optional<PresetTextKey>& key, int valueType,
    const std::vector<PresetTextRow>& rows, NumberFormat typedIn)
{
    if (!key)
        return;
    PresetText stored;
    stored.GroupName = key->group;
    stored.Address = key->address;
    stored.Bit = key->bit;
    stored.ValueType = valueType;
    TakePairs(stored, rows, typedIn);

    const auto isKey = [&](const PresetText& p) { return IsKeyOf(p, *key); };
    const auto found = std::find_if(presets.begin(), presets.end(), isKey);
    if (found == presets.end()) {
        if (!stored.Pairs.empty())
            presets.push_back(std::move(stored));
    } else if (!stored.Pairs.empty()) {
        *found = std::move(stored);
    } else {
        presets.erase(found);
    }
}

std::optional<int> ParsePresetTextValue(std::string_view text, NumberFormat format)
{
    const auto value = ParseValueText(text, format, 16, WidthDigitLimit(16));
    if (!value)
        return std::nullopt;
    return static_cast<int>(*value);
}
