#pragma once

#include "devices/ElementGroup.h"

#include <string>
#include <string_view>
#include <vector>

// How the address-table editor shows a group as rows of its address grid
// (number, name, address) and how it takes the rows back into the group.
// Texts are GBK bytes.

// Rows the grid keeps empty below the last element, for typing new ones.
constexpr int kEmptyRowsBelow = 10;
// The commits read at most this many rows.
constexpr int kMaxGroupRows = 65535;

// Whether the group's elements are bits inside words, written word.bit:
// bit groups of mode 0 or 2.
bool IsBitAddressedGroup(const ElementGroup& group);

// The address column of an element: upper-case hexadecimal "1A.F" (word,
// point, bit) in a bit-addressed group, "1A" (word only) in any other.
std::string ElementAddressText(const ElementGroup& group, const DeviceElement& element);

// An address text read back: the hexadecimal part before the first point is
// the word, the part after it the bit (0 without a point); an empty text is
// 0.0. A part with a character that is not a hexadecimal digit reads as -1.
struct WordBit {
    int word = 0;
    int bit = 0;
};
WordBit ParseAddressText(std::string_view text);

// The name and address texts of one grid row.
struct AddressRowText {
    std::string name;
    std::string address;
};

// The operations that take the shown rows back into their group.
enum class RowCommit {
    TabChange, // a tab change, and the editor's commands that work on the
               // groups: each name cell as it stands
    Ok,        // OK, Save and Save As: names without blanks at either end
    Save,
};

// The group's elements become the rows that carry a name, in row order (at
// most kMaxGroupRows rows are read); a row whose address is empty becomes
// word 0, bit 0. OK keeps such a row as Save does.
void CommitGroupRows(ElementGroup& group, const std::vector<AddressRowText>& rows, RowCommit commit);

// Removes the selected rows; indexes outside the rows are ignored.
void DeleteSelectedRows(std::vector<AddressRowText>& rows, const std::vector<int>& selected);
