#include "model/AlarmBlocks.h"
#include "model/CVX50TextDoc.h"
#include "model/projectfile/ProjectSections.h"
#include "model/projectfile/SectionAddress.h"
#include "base/ShortText.h"

#include <algorithm>
#include <optional>

namespace {

void WriteSegment(ByteWriter& out, const AlarmSegment& segment, const AddressTable& table)
{
    const std::string& firstElement = segment.Entries.empty() ? std::string() : segment.Entries.front().ElementName;
    if (firstElement.empty()) {
        out.U8(0xFF);
        out.U8(0x00);
    } else {
        WriteSectionWord(out, table, segment.GroupName, firstElement);
    }
    out.U8(static_cast<std::uint8_t>(segment.Entries.size()));
    out.U8(static_cast<std::uint8_t>(SectionNumber(segment.Station)));
    out.U8(static_cast<std::uint8_t>(SectionNumber(segment.Port)));
    out.U8(static_cast<std::uint8_t>(GetElementGroupMode(table, segment.GroupName)));
    out.U8(firstElement.empty() ? 0xFF : SectionGroupIndex(table, segment.GroupName));
    out.U8(SectionBitCode(table, segment.GroupName, firstElement));
    for (int k = 0; k < segment.AlarmCount(); ++k)
        WriteShortText(out, GbkPrefix(segment.Entries[static_cast<std::size_t>(k)].Text, AlarmEntry::kMaxTextBytes));
}

// Where alarm k of a segment sits: bit offset k from the start element, in a
// coil group one word per alarm, in a word.bit group sixteen alarms per word.
struct AlarmPosition {
    int word;
    int bit;
};

AlarmPosition PositionOf(int startWord, int startBit, bool wordBit, int k)
{
    if (!wordBit)
        return {startWord + k, 0};
    return {startWord + (startBit + k) / 16, (startBit + k) % 16};
}

std::optional<std::size_t> IndexOf(const ElementGroup& group, AlarmPosition position)
{
    for (std::size_t i = 0; i < group.elements.size(); ++i)
        if (group.elements[i].wordAddress == position.word && group.elements[i].bit == position.bit)
            return i;
    return std::nullopt;
}

std::string NameOf(AlarmPosition position, bool wordBit)
{
    return wordBit ? GeneratedElementName("B%x-%x", position.word, position.bit)
                   : GeneratedElementName("B%x", position.word);
}

// Inserts the element of `position` at `index`, kept inside the group.
void InsertAt(CVX50TextDoc& doc, int g, std::size_t index, AlarmPosition position, bool wordBit)
{
    auto& elements = doc.AddressTable[static_cast<std::size_t>(g)].elements;
    index = std::min(index, elements.size());
    elements.insert(elements.begin() + static_cast<std::ptrdiff_t>(index),
                    DeviceElement{NameOf(position, wordBit), position.word, position.bit});
    doc.TableExtended = 1;
}

// A segment read from the file, with what is needed to find its start
// element again once every segment has been read.
struct ReadSegment {
    AlarmSegment segment;
    int groupIndex = NoGroupIndex;
    AlarmPosition start{0, 0};
};

// Makes every alarm position of the segment present in group `g` and returns
// the start element's index. A group the table lacks becomes the bit group
// "BIT<g>" holding the segment's positions in order.
std::size_t CompleteGroup(CVX50TextDoc& doc, int g, AlarmPosition start, bool wordBit, int rows)
{
    const AddressTable& table = doc.AddressTable;
    const bool real = static_cast<std::size_t>(g) < table.size()
        && table[static_cast<std::size_t>(g)].elementType != PlaceholderElementType;
    if (!real) {
        RepairAddress(doc, SectionRepairPlan(g, start.word, start.bit, GeneratedGroupName("BIT%d", g),
                                             BitElementType, wordBit ? WordBitMode : CoilOrMultiWriteMode,
                                             doc.Register32Interval, NameOf(start, wordBit)));
        for (int k = 1; k < rows; ++k)
            InsertAt(doc, g, table[static_cast<std::size_t>(g)].elements.size(),
                     PositionOf(start.word, start.bit, wordBit, k), wordBit);
    }

    const ElementGroup& group = table[static_cast<std::size_t>(g)];
    std::optional<std::size_t> startIndex = IndexOf(group, start);
    for (int k = 0; k < rows; ++k) {
        const AlarmPosition position = PositionOf(start.word, start.bit, wordBit, k);
        if (IndexOf(group, position))
            continue;
        if (!startIndex) {
            startIndex = group.elements.size();
            InsertAt(doc, g, *startIndex, position, wordBit);
        } else {
            InsertAt(doc, g, *startIndex + static_cast<std::size_t>(k), position, wordBit);
        }
    }
    return startIndex.value_or(0);
}

ReadSegment ReadOneSegment(ByteReader& in, CVX50TextDoc& doc)
{
    const int startWord = in.U16Le();
    const int rows = in.U8();
    const int station = in.U8();
    const int port = in.U8();
    in.U8(); // group mode: the group itself tells
    const int g = in.U8();
    const int bitCode = in.U8();
    const bool wordBit = bitCode >= 0x80;

    ReadSegment read;
    read.groupIndex = g;
    read.start = {startWord, wordBit ? bitCode - 0x80 : 0};
    std::size_t startIndex = 0;
    const ElementGroup* group = nullptr;
    if (g != NoGroupIndex) {
        startIndex = CompleteGroup(doc, g, read.start, wordBit, rows);
        group = &doc.AddressTable[static_cast<std::size_t>(g)];
    } else if (rows <= 1) {
        // A segment without alarms shows the table's first bit group. Alarms
        // stored without a group (a panel read whose table lacked their bits)
        // stay without elements: the first bit group's watch other bits.
        const auto firstBitGroup = std::find_if(doc.AddressTable.begin(), doc.AddressTable.end(),
                                                [](const ElementGroup& e) { return e.elementType == BitElementType; });
        if (firstBitGroup != doc.AddressTable.end())
            group = &*firstBitGroup;
    }

    AlarmSegment& segment = read.segment;
    segment.GroupName = group ? group->name : std::string();
    for (int m = 1; m < rows; ++m) {
        const std::size_t index = startIndex + static_cast<std::size_t>(m - 1);
        AlarmEntry entry;
        if (group && index < group->elements.size())
            entry.ElementName = group->elements[index].name;
        entry.Text = ReadShortText(in);
        segment.Entries.push_back(std::move(entry));
    }
    segment.Station = std::to_string(station);
    segment.Port = std::to_string(port);
    segment.StartIndex = std::to_string(startIndex);
    segment.Number = 1;
    segment.Entries.push_back({});
    return read;
}

} // namespace

void WriteAlarmSection(ByteWriter& out, const CVX50TextDoc& doc)
{
    out.U8(static_cast<std::uint8_t>(doc.AlarmSegments.size()));
    out.U8(static_cast<std::uint8_t>(doc.ShownAlarmSegment));
    for (const AlarmSegment& segment : doc.AlarmSegments)
        WriteSegment(out, segment, doc.AddressTable);
}

void ReadAlarmSection(ByteReader& in, CVX50TextDoc& doc)
{
    const int count = in.U8();
    doc.ShownAlarmSegment = in.U8();
    doc.AlarmSegments.clear();
    doc.AlarmBlocks.clear();

    std::vector<ReadSegment> read;
    for (int s = 0; s < count; ++s)
        read.push_back(ReadOneSegment(in, doc));

    // A later segment may have inserted elements in front of an earlier one's
    // start element, so start indexes are found again once all are read.
    for (ReadSegment& r : read) {
        if (r.groupIndex != NoGroupIndex)
            if (const auto index = IndexOf(doc.AddressTable[static_cast<std::size_t>(r.groupIndex)], r.start))
                r.segment.StartIndex = std::to_string(*index);
        doc.AlarmSegments.push_back(std::move(r.segment));
    }
    doc.AlarmBlocks = BuildAlarmBlocks(doc.AlarmSegments, doc.AddressTable);
}
