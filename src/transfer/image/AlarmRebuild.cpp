#include "transfer/image/AlarmRebuild.h"

#include "base/FormatError.h"
#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "transfer/image/ImageLayout.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int kSegmentCount = 8;
constexpr std::size_t kAlarmHeadBeforePolls = 7;
constexpr int kWordBitsFlag = 0x10;

// A block's read: [n][read command][format][1][reply offset][flags][alarms][group].
struct AlarmRead {
    std::string command;
    int reply = 0;
    int flags = 0;
    int group = 0;
};

class AlarmReader {
public:
    AlarmReader(ByteReader& in, const AlarmContext& context) : m_in(in), m_context(context), m_doc(context.doc) {}

    void Read()
    {
        const std::size_t blocks = m_context.ports.size();
        m_doc.AlarmBlocks.clear();
        m_doc.AlarmSegments.clear();
        m_doc.ShownAlarmSegment = 0;
        if (blocks == 0)
            return;
        m_in.Skip(kAlarmHeadBeforePolls);
        const std::size_t reads = m_in.U8();
        if (reads != 0 && reads != blocks)
            throw FormatError("the alarm screen reads " + std::to_string(reads) + " of its blocks");
        std::vector<AlarmRead> stored(reads);
        for (AlarmRead& read : stored) {
            read.command = ReadCommand(m_in);
            m_in.Skip(2);
            read.reply = m_in.U8();
            read.flags = m_in.U8();
            m_in.U8();
            read.group = m_in.U8();
        }
        if (m_in.U8() != AlarmListRecord || m_in.U8() != blocks)
            throw FormatError("the alarm screen holds no alarm list of its blocks");
        for (std::size_t b = 0; b < blocks; ++b) {
            AlarmBlock block = b < stored.size() ? DecodedBlock(stored[b]) : AlarmBlock{};
            block.Port = m_context.ports[b];
            block.AlarmCount = m_in.U8();
            if (block.AlarmCount > AlarmBlock::TextCapacity)
                throw FormatError("an alarm block of " + std::to_string(block.AlarmCount) + " alarms");
            if (b >= stored.size())
                FitWithoutRead(block, b);
            m_in.Skip(2);
            for (int k = 0; k < block.AlarmCount; ++k)
                block.Texts[static_cast<std::size_t>(k)] = m_context.text.ReadBytes(m_in, m_in.U8());
            m_doc.AlarmBlocks.push_back(std::move(block));
        }
        for (const AlarmBlock& block : m_doc.AlarmBlocks)
            m_doc.AlarmSegments.push_back(Segment(block, static_cast<int>(m_doc.AlarmSegments.size()) + 1));
        AppendEmptySegments();
    }

private:
    // Coils: the library names the coil at the reply byte and bit; bits in
    // words: the read's word, its first bit from the flags.
    AlarmBlock DecodedBlock(const AlarmRead& read) const
    {
        AlarmBlock block;
        block.GroupIndex = read.group;
        const bool coils = (read.flags & kWordBitsFlag) == 0;
        const DecodedCommand decoded = coils
            ? m_context.decoder.Decode(0, read.command, read.reply, read.flags & 15)
            : m_context.decoder.Decode(0, read.command);
        block.Station = decoded.Station();
        if (coils) {
            block.GroupMode = CoilOrMultiWriteMode;
            block.StartAddress = decoded.Address();
        } else {
            block.GroupMode = GroupModeOf(read.group);
            block.StartBit = read.flags & 15;
            block.StartAddress = decoded.Address() + read.reply - decoded.out3;
        }
        return block;
    }

    int GroupModeOf(int group) const
    {
        const auto& table = m_doc.AddressTable;
        if (group < 0 || group >= static_cast<int>(table.size()))
            return 0;
        const int mode = table[static_cast<std::size_t>(group)].accessMode;
        return mode == CoilOrMultiWriteMode ? 0 : mode;
    }

    // Without its read a block keeps only what the panel needs of it: its
    // alarms and a first bit that makes its status words end where the next
    // block's begin (its words are (first bit + alarms) / 16 + 1).
    void FitWithoutRead(AlarmBlock& block, std::size_t b) const
    {
        block.Station = 1;
        const std::vector<int>& words = m_context.words;
        const int taken = b + 1 < words.size() ? words[b + 1] - words[b] : 1;
        block.StartBit = std::clamp(16 * (taken - 1) - block.AlarmCount, 0, 15);
    }

    // Where alarm k of the block sits: in coils one coil a word, in words
    // sixteen bits a word from the start bit on.
    static DeviceElement PositionOf(const AlarmBlock& block, int k)
    {
        if (block.GroupMode == CoilOrMultiWriteMode)
            return {{}, block.StartAddress + k, 0};
        return {{}, block.StartAddress + (block.StartBit + k) / 16, (block.StartBit + k) % 16};
    }

    // The index of the block's first alarm in its group, when the group is a
    // bit group of the block's kind (coils or bits of words) that holds every
    // alarm of the block one after the other from there: the alarm list
    // makes segments of such runs alone, and the project file stores a
    // segment by its first bit and its alarm count, so opening it would
    // enter any bit the group lacks into the device's table.
    std::optional<std::size_t> RunStart(const AlarmBlock& block) const
    {
        const AddressTable& table = m_doc.AddressTable;
        if (block.AlarmCount == 0 || block.GroupIndex < 0 || block.GroupIndex >= static_cast<int>(table.size()))
            return std::nullopt;
        const ElementGroup& group = table[static_cast<std::size_t>(block.GroupIndex)];
        if (group.elementType != BitElementType || group.name.empty()
            || FindElementGroupIndex(table, group.name) != block.GroupIndex
            || IsWordBitMode(group.accessMode) != (block.GroupMode != CoilOrMultiWriteMode))
            return std::nullopt;
        const auto at = [&](std::size_t index, int k) {
            const DeviceElement position = PositionOf(block, k);
            return index < group.elements.size() && group.elements[index].wordAddress == position.wordAddress
                && group.elements[index].bit == position.bit;
        };
        std::size_t start = 0;
        while (start < group.elements.size() && !at(start, 0))
            ++start;
        for (int k = 0; k < block.AlarmCount; ++k)
            if (!at(start + static_cast<std::size_t>(k), k))
                return std::nullopt;
        return start;
    }

    // A segment on the block's group and alarms where RunStart finds them;
    // otherwise the alarms keep their texts without elements, and a block
    // without alarms is shown on the first bit group as the empty segments.
    AlarmSegment Segment(const AlarmBlock& block, int number) const
    {
        AlarmSegment segment;
        segment.Station = std::to_string(block.Station);
        segment.Port = std::to_string(block.Port);
        segment.Number = number;
        const std::optional<std::size_t> start = RunStart(block);
        if (start) {
            const ElementGroup& group = m_doc.AddressTable[static_cast<std::size_t>(block.GroupIndex)];
            segment.GroupName = group.name;
            for (int k = 0; k < block.AlarmCount; ++k)
                segment.Entries.push_back({group.elements[*start + static_cast<std::size_t>(k)].name,
                    block.Texts[static_cast<std::size_t>(k)]});
        } else {
            if (block.AlarmCount == 0)
                segment.GroupName = FirstBitGroupName();
            for (int k = 0; k < block.AlarmCount; ++k)
                segment.Entries.push_back({{}, block.Texts[static_cast<std::size_t>(k)]});
        }
        segment.StartIndex = std::to_string(start.value_or(0));
        segment.Entries.push_back({});
        return segment;
    }

    std::string FirstBitGroupName() const
    {
        const auto& table = m_doc.AddressTable;
        const auto bits = std::find_if(table.begin(), table.end(),
            [](const ElementGroup& g) { return g.elementType == BitElementType; });
        return bits == table.end() ? std::string() : bits->name;
    }

    // The list shows eight segments; those without a block are empty, on the
    // table's first bit group.
    void AppendEmptySegments() { AppendEmptyAlarmSegments(m_doc.AlarmSegments, FirstBitGroupName()); }

    ByteReader& m_in;
    const AlarmContext& m_context;
    CVX50TextDoc& m_doc;
};

} // namespace

void RebuildAlarmList(ByteReader& in, const AlarmContext& context)
{
    AlarmReader(in, context).Read();
}

void AppendEmptyAlarmSegments(std::vector<AlarmSegment>& segments, const std::string& groupName)
{
    const std::string port = segments.empty() ? "0" : segments.back().Port;
    while (static_cast<int>(segments.size()) < kSegmentCount) {
        AlarmSegment segment;
        segment.Station = "1";
        segment.Port = port;
        segment.StartIndex = "0";
        segment.GroupName = groupName;
        segment.Number = static_cast<int>(segments.size()) + 1;
        segment.Entries.push_back({});
        segments.push_back(std::move(segment));
    }
}
