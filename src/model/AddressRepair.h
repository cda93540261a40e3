#pragma once

#include "model/AddressLookup.h"
#include "model/ElementGroup.h"

#include <string>
#include <string_view>

// Project-file readers turn stored address codes (group index, word address,
// bit code) back into names. When the device's table lacks the address (or
// could not be loaded at all) the readers add what is missing, so that every
// record keeps a name and the table can be written back after loading.
class CVX50TextDoc;

class AddressRepair {
public:
    // `tableMissing`: the device's table file could not be read, so nothing is
    // looked up and every stored address is made present. `extended` is set
    // to 1 whenever a group or an element is added.
    AddressRepair(AddressTable& table, bool tableMissing, int& extended)
        : m_table(table), m_tableMissing(tableMissing), m_extended(extended)
    {
    }
    // Over the document's table, TableMissing and TableExtended.
    explicit AddressRepair(CVX50TextDoc& doc);

    // What a section creates when group `groupIndex` is still a placeholder.
    struct NewGroup {
        std::string name;
        int elementType = BitElementType;
        int accessMode = CoilOrMultiWriteMode;
        int interval32 = 1;
    };

    // The names of a stored address. Group index 0xFF (no group) gives empty
    // names. Otherwise the table is asked first (unless it is missing); when
    // it has no element with that word and bit, the address is made present:
    // group `groupIndex` becomes `group` if it is a placeholder, and `element`
    // is appended to it unless an element of that name is there already.
    AddressNames Restore(int groupIndex, int wordAddress, int bit, const NewGroup& group,
                         const DeviceElement& element);

    // Appends placeholder groups (empty name, type 255, mode 1, interval 1)
    // until `groupIndex` is an index of the table.
    void FillUpTo(int groupIndex);
    // Makes the placeholder group `groupIndex` the real group `group`.
    // Returns false when the group is real already.
    bool Realise(int groupIndex, const NewGroup& group);
    // Inserts `element` into group `groupIndex` at `position` (clamped to the
    // group's end).
    void Insert(int groupIndex, std::size_t position, const DeviceElement& element);

    ElementGroup& Group(int groupIndex) { return m_table[static_cast<std::size_t>(groupIndex)]; }
    bool TableMissing() const { return m_tableMissing; }
    const AddressTable& Table() const { return m_table; }

    static constexpr int NoGroup = 0xFF;

private:
    AddressTable& m_table;
    bool m_tableMissing;
    int& m_extended;
};

// Element names the repair gives, upper-case hexadecimal ("B%X", "B%X-%X",
// "W%X", "DW%X"), and group names with a decimal index ("BIT%d" ...).
std::string HexName(std::string_view prefix, int word);
std::string HexBitName(int word, int bit);
std::string IndexName(std::string_view prefix, int groupIndex);
