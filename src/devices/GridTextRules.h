#pragma once

#include <optional>
#include <string>
#include <vector>

// What the two editable grids accept while a cell is typed, and how a value
// cell's text is tidied when the editor commits it. Texts are GBK bytes;
// every rule here looks only at ASCII characters and never touches a
// double-byte character.

// Characters that the value column of the value grid accepts.
enum class ValueFilter : int {
    AnyText = 0,
    DecimalDigits = 1, // '0' to '9'
    SignedDecimal = 2, // '0' to '9', and '-' as the first character
    HexDigits = 3,     // '0' to '9', 'A' to 'F' (typed 'a' to 'f' are taken upper-case)
};

struct ValueFilterResult {
    // True when the typed text breaks the filter: the editor goes back to
    // `text`, and the refused text is not reported.
    bool refused = false;
    // Accepted: the text to report to the owner. Refused: the fallback text.
    std::string text;
};

// Checks the text of a value cell after a change. `savedText` is the owner's
// last accepted value, kept in decimal; the hexadecimal filter falls back to
// it written in hexadecimal.
ValueFilterResult FilterValueText(ValueFilter filter, const std::string& typed, const std::string& savedText);

// The text a value cell takes when the editor commits: a number of the
// filter's base loses its leading zeros ("007" -> "7", "000" -> "0",
// "-05" -> "-5") and hexadecimal digits are upper-cased. A text that is not
// such a number, and an empty text, are kept as they are.
std::string NormaliseCommittedValue(ValueFilter filter, const std::string& text);

// True when two of the texts are equal and not empty (repeated values of a
// value/text table).
bool HasRepeatedText(const std::vector<std::string>& texts);

// True when a row other than `row` of the column holds `text`, which is not
// empty (a repeated element name or address).
bool IsHeldByOtherRow(const std::vector<std::string>& columnTexts, int row, const std::string& text);

// Checks an address typed into the address grid. Word-only addresses are up
// to 4 hexadecimal digits; otherwise an address is "word.bit": up to 6
// characters of hexadecimal digits and one point, which is neither first nor
// after the fifth character and is followed by one digit at most. Returns
// the text upper-cased, or nothing when it is refused.
std::optional<std::string> FilterAddressText(bool wordOnly, const std::string& typed);

// Number of empty rows to append so that ten rows follow the last named row
// among the last ten rows (row 0 when none of them is named).
// `rowHasName[i]` tells whether row i has a name.
int TrailingRowsToAppend(const std::vector<bool>& rowHasName);

// The text without blanks (space, tab, line breaks) at either end.
std::string TrimBlanks(const std::string& text);
