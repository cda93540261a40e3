#include "model/elements/DynTextEntry.h"

#include "devices/AddressFileText.h"

int FindEntryForValue(const std::vector<DynTextEntry>& entries, int value)
{
    for (size_t i = 0; i < entries.size(); ++i) {
        const DynTextEntry& entry = entries[i];
        if (!entry.value.empty() && ((LeadingDecimal(entry.value) ^ value) & 0xFFFF) == 0)
            return static_cast<int>(i);
    }
    return -1;
}
