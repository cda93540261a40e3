#pragma once

#include <string>
#include <vector>

// One value-to-text entry of a dynamic text. The text holds at most
// kMaxTextBytes bytes (GBK); the value is the decimal text of a 16-bit number,
// or empty for an entry without a value, which is never shown or saved.
struct DynTextEntry {
    static constexpr size_t kMaxTextBytes = 24;

    std::string text;
    std::string value;

    bool operator==(const DynTextEntry&) const = default;
};

// Index of the first entry with a value whose low 16 bits equal those of
// `value`; -1 when no entry matches.
int FindEntryForValue(const std::vector<DynTextEntry>& entries, int value);
