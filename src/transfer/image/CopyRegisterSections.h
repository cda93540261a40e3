#pragma once

#include "transfer/image/DeviceCommands.h"

#include <cstddef>
#include <vector>

class ByteWriter;
class CVX50TextDoc;

// The copy registers in the header area: two tables of 6-byte entries near
// its start and, at its end, the commands they point to.
//
// Source entry, one per group in list order:
//   [port][1][address of the group's read command][buffer place][2 x count]
// Target entry, first every RS485 entry, then every COM1 entry; one per group
// with targets on that port:
//   [port][targets on it][address of their first write command][buffer place]
//   [2 x count]
// The buffer place, 0x80 + 2 x the counts of the groups before, is where the
// group's words lie in the panel's copy buffer.
class CopyRegisterSections {
public:
    explicit CopyRegisterSections(const CVX50TextDoc& doc);

    int SourceCount() const { return static_cast<int>(m_sources.size()); }
    int TargetEntryCount() const { return static_cast<int>(m_targets.size()); }

    // Both entry tables; the command addresses are filled in by
    // AppendCommands.
    void AppendEntries(ByteWriter& out);
    // Per group [read command][out4][group index][0]; then per target entry
    // its targets' [write command, out4 bytes][group index][0]. A refused read
    // throws HeaderCheckFailed with 61256, a refused write with 61245.
    void AppendCommands(ByteWriter& out, const DeviceCommands& commands) const;

private:
    struct Entry {
        int group = 0; // index in CopyRegGroups
        int port = 0;
        int commandCount = 1; // the commands it points at: 1 read, or its targets on the port
        std::size_t addressSlot = 0;
    };

    const CVX50TextDoc& m_doc;
    std::vector<Entry> m_sources;
    std::vector<Entry> m_targets;
};
