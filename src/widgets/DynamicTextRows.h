#pragma once

#include <string>

// The value/text entries of the dynamic text bound to the dynamic-text page:
// what the value grid's Up and Down keys extend in dynamic-text mode so that
// the row they move to has an entry. Entry k is row k of the grid.
class DynamicTextRows {
public:
    virtual ~DynamicTextRows() = default;

    virtual int EntryCount() const = 0;
    // Appends an entry with an empty text and an empty value.
    virtual void AppendEmptyEntry() = 0;
    // Sets the value text of entry `index`, keeping its text.
    virtual void SetEntryValue(int index, const std::string& value) = 0;
    // 0 for a bit address, 16 or 32 for a word.
    virtual int WordSize() const = 0;
};
