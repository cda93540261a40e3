#pragma once

#include "base/ValueText.h"
#include "devices/PresetText.h"
#include "model/elements/CScreenElement.h"
#include "model/elements/DynTextEntry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The value/text table of a dynamic text as its page edits it. Entry k is row
// k of the page's grid; values are kept as decimal texts of 16-bit numbers
// (empty: no value) and shown in the text's number format. Entry texts follow
// the static texts' limits: 24 bytes, 12 at double size, 8 dots a byte, 16 at
// double size; a cut never splits a GBK character.

// The grid shows the first 128 entries.
constexpr int kDynTextGridRows = 128;

// The grid's columns.
enum DynTextColumn : int { ValueColumn = 1, TextColumn = 2 };

// What a value cell shows for a stored value: nothing for no value, else its
// low 16 bits in the format (HEX upper-case, signed -32768 to 32767, unsigned
// 0 to 65535).
std::string ShownEntryValue(const std::string& stored, NumberFormat format);

// The value stored for a typed value cell: "" for an empty cell, else the
// decimal text of the number; nullopt when refused. HEX takes up to 4 digits
// ("1A" is stored as "26"), the decimal formats up to 5 digits within their
// 16-bit range.
std::optional<std::string> StoredEntryValue(std::string_view typed, NumberFormat format);

// The values of the entries once the format turned to unsigned decimal: the
// unsigned numbers of their low 16 bits ("-1" becomes "65535").
std::vector<DynTextEntry> EntriesInUnsignedDecimal(std::vector<DynTextEntry> entries);

// The width of a dynamic text: 8 dots per byte of its longest entry text (16
// at double size).
int DynTextWidth(const std::vector<DynTextEntry>& entries, bool doubleSize);

// Whether entry `row` may take `text`: it fits the limit, and it does not
// empty the only text of the table.
bool MayTakeEntryText(const std::vector<DynTextEntry>& entries, int row, const std::string& text, bool doubleSize);

// A dynamic text's entries and the box they take.
struct DynTextLayout {
    std::vector<DynTextEntry> entries;
    DotBox box;
};

// Double size switched on: every text over 12 bytes is cut to 12 (11 when a
// double-byte character would be split); when a text was cut the width
// follows the longest text, else it doubles; the height doubles; the box is
// moved back onto the display.
DynTextLayout DoubleDynText(std::vector<DynTextEntry> entries, DotBox box);

// The address a preset belongs to: group name, word address, bit.
struct PresetAddress {
    std::string group;
    int wordAddress = -1;
    int bit = 0;
};

// The table a dynamic text at `box` takes over from the last preset of the
// address: one entry per pair, the value's low 16 bits in decimal (signed
// for a signed text), the text cut to 12 bytes at double size; the box
// takes the longest text's width and the height of one line (16, 32 at
// double size) and stays on the display. nullopt when no preset applies.
std::optional<DynTextLayout> PresetLayout(const std::vector<PresetText>& presets, const PresetAddress& address,
    bool isSigned, bool doubleSize, DotBox box);

// The entries once the text is bound to a bit: entries 0 and 1 (as far as
// they exist) keep their texts and take the values "0" and "1"; every later
// entry is emptied.
std::vector<DynTextEntry> BitTypeEntries(std::vector<DynTextEntry> entries);

// A press on cell (`row`, `column`) of the grid, for a text bound to a word
// of `wordSize` bits (0: a bit): whether the cell is edited, after giving
// the rows up to the pressed one entries where it is. A bit has only the
// texts of rows 0 and 1, its values follow the rows (a press on row 1's
// text gives it the value after row 0's); a word's text cell is edited only
// on a row with a value.
bool PrepareCellEdit(std::vector<DynTextEntry>& entries, int wordSize, int row, int column);
