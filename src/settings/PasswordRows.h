#pragma once

#include "model/PasswordEntry.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

class CVX50TextDoc;

// The six rows of the password-levels dialog and the overwrite editing of
// their four-digit passwords, without the widgets.

constexpr int kPasswordRowCount = 6;
// The password a row shows until the user gives it one.
inline constexpr char kNewRowPassword[] = "5917";

struct PasswordRow {
    bool enabled = false;
    int levelIndex = 0; // 0 low, 1 middle, 2 high: the level combo's index
    std::string password = kNewRowPassword;

    bool operator==(const PasswordRow&) const = default;
};
using PasswordRows = std::array<PasswordRow, kPasswordRowCount>;

// The rows the dialog opens with: each entry of the table enables the row of
// its slot with its level and password (entries of other slots are skipped);
// the other rows stay new. A level outside 1 to 3 shows as the nearest
// level, so that OK keeps the row instead of storing a level no row shows.
PasswordRows RowsFromPasswordTable(const std::vector<PasswordEntry>& table);

// OK: the table becomes one entry per enabled row, in row order (slot = row
// index, level = level index + 1), the highest level the largest of them
// (0 without rows); the project is marked modified and every protected item
// is kept inside the new levels (ApplyPasswordLevelCount).
void StorePasswordRows(CVX50TextDoc& doc, const PasswordRows& rows);

// A password edit after the user changed `before` to `now` with the caret at
// `caret`: its text, and the position of the one character then selected so
// that the next digit typed overwrites it (the text's length after the last
// digit: nothing is selected there). A text with anything but digits (or over four
// characters) is refused: `before` comes back and `selected` is -1. A text
// that got shorter (a deletion, or several characters replaced by one digit)
// keeps `before`'s length: the digit before the caret is taken from `now`
// and every digit from the caret on becomes '0'.
struct DigitEditResult {
    std::string text;
    int selected = -1;

    bool operator==(const DigitEditResult&) const = default;
};
DigitEditResult OverwriteDigits(std::string_view before, std::string_view now, int caret);
