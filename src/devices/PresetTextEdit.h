#pragma once

#include "base/ValueText.h"
#include "devices/ElementGroup.h"
#include "devices/PresetText.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the preset-texts dialog edits its working copy of a device's preset
// texts: which preset an element name stands for, the grid rows that show a
// preset and how the rows are stored back, and the checks of a typed cell.

// The dialog's grid has this many rows; a preset it stores has at most as
// many pairs.
constexpr int kPresetTextRows = 32;
// A pair's text holds at most this many GBK bytes.
constexpr std::size_t kPresetTextBytes = 24;

// The identity of a preset: the group, word address and bit that an element
// name resolves to. Element names of one group that resolve to the same
// word and bit share one preset.
struct PresetTextKey {
    std::string group;
    int address = 0;
    int bit = 0; // the element's bit in groups of mode 0 or 2, else 0
};
// nullopt when either name is empty or the table does not hold the element.
std::optional<PresetTextKey> PresetTextKeyOf(const AddressTable& table, const std::string& group,
    const std::string& element);

// One grid row: a value text and a pair text (GBK), empty when not typed.
struct PresetTextRow {
    std::string value;
    std::string text;
};

// The preset the grid shows for `key`: the last record of that identity;
// nullptr when there is none.
const PresetText* FindShownPresetText(const std::vector<PresetText>& presets, const std::optional<PresetTextKey>& key);

// The rows of a preset's pairs, each value written in `format` from its low
// 16 bits (HEX upper-case, unsigned 0 to 65535, signed -32768 to 32767).
std::vector<PresetTextRow> PresetTextRows(const PresetText& preset, NumberFormat format);

// Stores `rows` as the preset of `key` with `valueType`. Only rows with both
// a value and a text count; their values are read in `typedIn`, the format
// the grid shows, and kept as their low 16 bits, as the file keeps them. The
// first record of that identity takes the rows (and is removed when none
// counts); without one, a record is appended when some row counts. Nothing
// happens without a key.
void StorePresetTextRows(std::vector<PresetText>& presets, const std::optional<PresetTextKey>& key, int valueType,
    const std::vector<PresetTextRow>& rows, NumberFormat typedIn);

// The value of a typed value cell, or nullopt when it is refused: HEX up to
// 4 digits, the decimal formats up to 5 digits within their 16-bit range.
// An empty cell reads 0, and so does a lone "-" of the signed format.
std::optional<int> ParsePresetTextValue(std::string_view text, NumberFormat format);

// Whether a pair's text fits its 24 bytes.
inline bool FitsPresetText(std::string_view text) { return text.size() <= kPresetTextBytes; }
