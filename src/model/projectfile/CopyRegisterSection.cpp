#include "model/CVX50TextDoc.h"
#include "model/projectfile/ProjectSections.h"
#include "model/projectfile/SectionAddress.h"

namespace {

// A stored 16-bit register address (word, then group index) back to names;
// a missing one becomes element "W<word>" of group "WORD<index>".
AddressNames ReadRegister(ByteReader& in, CVX50TextDoc& doc)
{
    const int word = in.U16Le();
    const int g = in.U8();
    return RestoreSectionAddress(doc, SectionRepairPlan(g, word, 0, GeneratedGroupName("WORD%d", g),
                                                        Word16ElementType, WordBitMode, 0,
                                                        GeneratedElementName("W%x", word)));
}

CopyRegEntry ReadTarget(ByteReader& in, CVX50TextDoc& doc)
{
    CopyRegEntry target;
    target.Station = in.U8();
    target.Port = in.U8();
    AddressNames names = ReadRegister(in, doc);
    target.GroupName = std::move(names.group);
    target.StartElement = std::move(names.element);
    return target;
}

} // namespace

void WriteCopyRegisterSection(ByteWriter& out, const CVX50TextDoc& doc)
{
    const AddressTable& table = doc.AddressTable;
    out.U8(static_cast<std::uint8_t>(doc.CopyRegGroups.size()));
    for (const CopyRegGroup& group : doc.CopyRegGroups) {
        out.U8(static_cast<std::uint8_t>(group.GroupNumber));
        out.U8(static_cast<std::uint8_t>(group.SourceStation));
        out.U8(static_cast<std::uint8_t>(group.ElementCount));
        out.U8(static_cast<std::uint8_t>(group.SourcePort));
        WriteSectionWord(out, table, group.SourceGroupName, group.SourceStartElement);
        out.U8(SectionGroupIndex(table, group.SourceGroupName));
        out.U8(static_cast<std::uint8_t>(group.Targets.size()));
        for (const CopyRegEntry& target : group.Targets) {
            out.U8(static_cast<std::uint8_t>(target.Station));
            out.U8(static_cast<std::uint8_t>(target.Port));
            WriteSectionWord(out, table, target.GroupName, target.StartElement);
            out.U8(SectionGroupIndex(table, target.GroupName));
        }
    }
}

void ReadCopyRegisterSection(ByteReader& in, CVX50TextDoc& doc, int groupCount)
{
    doc.CopyRegGroups.clear();
    for (int i = 0; i < groupCount; ++i) {
        CopyRegGroup group;
        group.GroupNumber = in.U8();
        group.SourceStation = in.U8();
        group.ElementCount = in.U8();
        group.SourcePort = in.U8();
        AddressNames names = ReadRegister(in, doc);
        group.SourceGroupName = std::move(names.group);
        group.SourceStartElement = std::move(names.element);
        const int targets = in.U8();
        for (int t = 0; t < targets; ++t)
            group.Targets.push_back(ReadTarget(in, doc));
        doc.CopyRegGroups.push_back(std::move(group));
    }
}
