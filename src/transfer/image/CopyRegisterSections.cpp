#include "transfer/image/CopyRegisterSections.h"

#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "transfer/image/HeaderAddresses.h"
#include "transfer/image/HeaderFailures.h"
#include "StringIds.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kCopyBufferStart = 0x80;
constexpr int kPorts = 2; // RS485, COM1

int TargetsOnPort(const CopyRegGroup& group, int port)
{
    return static_cast<int>(std::count_if(group.Targets.begin(), group.Targets.end(),
        [port](const CopyRegEntry& target) { return target.Port == port; }));
}

} // namespace

CopyRegisterSections::CopyRegisterSections(const CVX50TextDoc& doc) : m_doc(doc)
{
    const auto& groups = doc.CopyRegGroups;
    for (std::size_t g = 0; g < groups.size(); ++g)
        m_sources.push_back({static_cast<int>(g), groups[g].SourcePort, 1, 0});
    for (int port = 0; port < kPorts; ++port)
        for (std::size_t g = 0; g < groups.size(); ++g)
            if (const int targets = TargetsOnPort(groups[g], port); targets > 0)
                m_targets.push_back({static_cast<int>(g), port, targets, 0});
}

void CopyRegisterSections::AppendEntries(ByteWriter& out)
{
    const auto& groups = m_doc.CopyRegGroups;
    std::vector<int> bufferPlace;
    int words = 0;
    for (const CopyRegGroup& group : groups) {
        bufferPlace.push_back(kCopyBufferStart + 2 * words);
        words += group.ElementCount;
    }
    for (std::vector<Entry>* table : {&m_sources, &m_targets})
        for (Entry& entry : *table) {
            out.U8(static_cast<std::uint8_t>(entry.port));
            out.U8(static_cast<std::uint8_t>(entry.commandCount));
            entry.addressSlot = out.Size();
            out.U16Le(static_cast<std::uint16_t>(kNoAddress));
            out.U8(static_cast<std::uint8_t>(bufferPlace[static_cast<std::size_t>(entry.group)]));
            out.U8(static_cast<std::uint8_t>(2 * groups[static_cast<std::size_t>(entry.group)].ElementCount));
        }
}

void CopyRegisterSections::AppendCommands(ByteWriter& out, const DeviceCommands& commands) const
{
    const AddressTable& table = m_doc.AddressTable;
    const auto& groups = m_doc.CopyRegGroups;
    for (const Entry& entry : m_sources) {
        const CopyRegGroup& group = groups[static_cast<std::size_t>(entry.group)];
        SetAddressSlot(out, entry.addressSlot, NextHeaderAddress(out));
        const LibraryCommand read = commands.ReadRegister(group.SourceStation,
            FindElementAddress(table, group.SourceGroupName, group.SourceStartElement), group.ElementCount);
        if (read.result < 0)
            FailHeader(IdsReadRegisterFailed);
        read.AppendTo(out, read.out2);
        out.U8(static_cast<std::uint8_t>(read.out4));
        out.U8(static_cast<std::uint8_t>(FindElementGroupIndex(table, group.SourceGroupName)));
        out.U8(0);
    }
    // The values are the panel's to fill in from its copy buffer.
    const std::array<std::uint8_t, 2 * 255> zeros{};
    for (const Entry& entry : m_targets) {
        const CopyRegGroup& group = groups[static_cast<std::size_t>(entry.group)];
        SetAddressSlot(out, entry.addressSlot, NextHeaderAddress(out));
        for (const CopyRegEntry& target : group.Targets) {
            if (target.Port != entry.port)
                continue;
            const LibraryCommand write = commands.WriteRegister(target.Station,
                FindElementAddress(table, target.GroupName, target.StartElement), zeros.data(),
                std::clamp(group.ElementCount, 0, 255), GetElementGroupMode(table, target.GroupName));
            if (write.result < 0)
                FailHeader(IdsWriteRegisterFailed);
            write.AppendTo(out, write.out4);
            out.U8(static_cast<std::uint8_t>(FindElementGroupIndex(table, target.GroupName)));
            out.U8(0);
        }
    }
}
