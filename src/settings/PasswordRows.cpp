#include "settings/PasswordRows.h"

#include "model/CVX50TextDoc.h"
#include "model/PasswordLevels.h"

#include <algorithm>

namespace {

constexpr std::size_t kPasswordDigits = 4;

bool AllDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

PasswordRows RowsFromPasswordTable(const std::vector<PasswordEntry>& table)
{
    PasswordRows rows;
    for (const PasswordEntry& entry : table) {
        if (entry.Slot < 0 || entry.Slot >= kPasswordRowCount)
            continue;
        PasswordRow& row = rows[static_cast<std::size_t>(entry.Slot)];
        row.enabled = true;
        row.levelIndex = std::clamp(entry.Level, 1, 3) - 1;
        row.password = entry.Password;
    }
    return rows;
}

void StorePasswordRows(CVX50TextDoc& doc, const PasswordRows& rows)
{
    doc.PasswordTable.clear();
    doc.HighestPasswordLevel = 0;
    for (int slot = 0; slot < kPasswordRowCount; ++slot) {
        const PasswordRow& row = rows[static_cast<std::size_t>(slot)];
        if (!row.enabled)
            continue;
        const int level = row.levelIndex + 1;
        doc.PasswordTable.push_back({slot, level, row.password});
        doc.HighestPasswordLevel = std::max(doc.HighestPasswordLevel, level);
    }
    doc.ProjectModified = 1;
    ApplyPasswordLevelCount(doc);
}

DigitEditResult OverwriteDigits(std::string_view before, std::string_view now, int caret)
{
    if (!AllDigits(now) || now.size() > kPasswordDigits)
        return {std::string(before), -1};
    std::string text(now);
    if (now.size() < kPasswordDigits) {
        text = std::string(before);
        text.resize(std::max(text.size(), kPasswordDigits), '0');
        const auto at = static_cast<std::size_t>(std::clamp(caret, 0, static_cast<int>(now.size())));
        if (at > 0)
            text[at - 1] = now[at - 1];
        std::fill(text.begin() + static_cast<std::ptrdiff_t>(at), text.end(), '0');
    }
    return {text, std::clamp(caret, 0, static_cast<int>(text.size()))};
}
