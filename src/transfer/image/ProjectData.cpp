#include "transfer/image/ProjectData.h"

#include "StringIds.h"
#include "base/ByteWriter.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "transfer/ScreenPollPlan.h"
#include "transfer/image/ElementRecords.h"
#include "transfer/image/ImageLayout.h"
#include "transfer/image/PollRecords.h"

#include <algorithm>

namespace {

// A description's byte count is one byte.
constexpr std::size_t kDescriptionLimit = 255;

// At most `limit` bytes of a GBK text, never splitting a double-byte character.
std::string_view CutOnCharacter(std::string_view text, std::size_t limit)
{
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + (static_cast<std::uint8_t>(text[end]) >= 0x80 ? 2 : 1);
        if (next > limit || next > text.size())
            break;
        end = next;
    }
    return text.substr(0, end);
}

class ProjectDataBuilder {
public:
    ProjectDataBuilder(const CVX50TextDoc& doc, const ProtocolFunctionTable& protocol,
        const ProjectDataOptions& options, TextCoder& coder, UserInterface& ui, int& progress)
        : m_doc(doc), m_protocol(protocol), m_commands(protocol), m_options(options), m_coder(coder), m_ui(ui),
          m_failures(ui), m_progress(progress)
    {
    }

    ProjectData Build()
    {
        m_descriptions.U8(m_options.includeDescriptions ? 1 : 0);
        for (std::size_t i = 0; i < m_doc.Screens.size(); ++i)
            AppendScreen(static_cast<int>(i));
        if (!m_doc.AlarmBlocks.empty())
            AppendAlarmScreen();
        m_data.descriptionTableOffset = static_cast<int>(m_out.Size());
        m_out.Bytes(m_descriptions.Data());
        m_data.bytes = m_out.Take();
        return std::move(m_data);
    }

private:
    bool UseLibrary() const { return m_doc.UseProtocolLibrary == 1; }
    void Step() { m_ui.ProgressStep(++m_progress); }

    void RequireScreen(int number, const ScreenRecord& screen, int messageId) const
    {
        if (!m_doc.FindScreenByNumber(number))
            m_failures.StopWithText(
                StringGbk(IdsKeyCheckScreen) + std::to_string(screen.Number) + StringGbk(messageId));
    }

    void AppendScreen(int screenIndex)
    {
        const ScreenRecord& screen = m_doc.Screens[static_cast<std::size_t>(screenIndex)];
        const int start = static_cast<int>(m_out.Size());
        m_descriptions.U16Le(static_cast<std::uint16_t>(screen.Number));
        if (m_options.includeDescriptions) {
            const std::string_view description = CutOnCharacter(screen.Description, kDescriptionLimit);
            m_descriptions.U8(static_cast<std::uint8_t>(description.size()));
            m_descriptions.Bytes(description);
        }
        m_data.highestScreenNumber = std::max(m_data.highestScreenNumber, screen.Number);

        RequireScreen(screen.UpKeyScreen, screen, IdsUpKeyScreenMissing);
        RequireScreen(screen.DownKeyScreen, screen, IdsDownKeyScreenMissing);
        m_out.U8(static_cast<std::uint8_t>(screen.Elements.size()));
        m_out.U8(0); // registers: set once the elements are written
        m_out.U16Le(static_cast<std::uint16_t>(screen.UpKeyScreen - 1));
        m_out.U16Le(static_cast<std::uint16_t>(screen.DownKeyScreen - 1));
        m_out.U8(UseLibrary() ? static_cast<std::uint8_t>(screen.Port) : 0);

        PollLists polls;
        std::vector<PollGroup> groups;
        if (UseLibrary()) {
            if (!CollectScreenAddresses(m_doc, screenIndex, polls.wordBits, polls.coils, polls.words))
                throw ImageBuildStopped{};
            Step();
            groups = BuildPollGroups(m_doc, m_protocol.GetReadCoilPos, polls.wordBits, polls.coils,
                polls.words);
            Step();
        }
        m_out.U8(static_cast<std::uint8_t>(groups.size()));
        for (const PollGroup& group : groups)
            AppendPollRecord(m_out, m_commands, group, m_failures);

        Step();
        ScreenTally tally;
        ElementRecordContext context{m_doc, m_commands, m_failures, m_coder, screenIndex, polls, tally};
        for (std::size_t e = 0; e < screen.Elements.size(); ++e)
            AppendElementRecord(m_out, context, static_cast<int>(e), *screen.Elements[e].element);
        if (tally.registers > 0)
            m_out.SetU8(static_cast<std::size_t>(start) + 1,
                static_cast<std::uint8_t>(tally.registers + (tally.anySettable ? 0 : 0x80)));
        m_data.screens.push_back({screen.Number, start});
        Step();
    }

    // The alarm screen: numbered after the highest screen, the number of
    // screens in its Up and Down fields, one alarm list record.
    void AppendAlarmScreen()
    {
        const std::vector<AlarmBlock>& blocks = m_doc.AlarmBlocks;
        ++m_data.highestScreenNumber;
        m_data.screens.push_back({m_data.highestScreenNumber, static_cast<int>(m_out.Size())});
        const auto screenCount = static_cast<std::uint16_t>(m_doc.Screens.size());
        m_out.U8(1);
        m_out.U8(0);
        m_out.U16Le(screenCount);
        m_out.U16Le(screenCount);
        m_out.U8(0);
        m_out.U8(UseLibrary() ? static_cast<std::uint8_t>(blocks.size()) : 0);
        if (UseLibrary()) {
            for (const AlarmBlock& block : blocks) {
                m_data.alarmPollOffsets.push_back(static_cast<int>(m_out.Size()));
                AppendAlarmPollRecord(m_out, m_commands, block, m_failures);
            }
        }
        AppendAlarmList(blocks);
    }

    // [12][a], then per block [alarm count][first screen-memory word][first
    // bit] and its coded texts.
    void AppendAlarmList(const std::vector<AlarmBlock>& blocks)
    {
        m_out.U8(AlarmListRecord);
        m_out.U8(static_cast<std::uint8_t>(blocks.size()));
        const std::vector<int> words = AlarmStatusStartWords(blocks);
        for (std::size_t k = 0; k < blocks.size(); ++k) {
            const AlarmBlock& block = blocks[k];
            int bit = block.StartBit;
            if (block.GroupMode == CoilOrMultiWriteMode)
                m_commands.AlarmCoilPosition(block.StartAddress - block.StartAddress % 16, block.StartAddress, bit);
            m_out.U8(static_cast<std::uint8_t>(block.AlarmCount));
            m_out.U8(UseLibrary() ? static_cast<std::uint8_t>(words[k]) : 0);
            m_out.U8(UseLibrary() ? static_cast<std::uint8_t>(bit) : 0);
            for (int a = 0; a < block.AlarmCount && a < AlarmBlock::TextCapacity; ++a)
                AppendCodedText(m_out, m_failures.Code(m_coder, block.Texts[static_cast<std::size_t>(a)], nullptr));
        }
    }

    const CVX50TextDoc& m_doc;
    const ProtocolFunctionTable& m_protocol;
    DeviceCommands m_commands;
    const ProjectDataOptions& m_options;
    TextCoder& m_coder;
    UserInterface& m_ui;
    BuildFailures m_failures;
    int& m_progress;
    ByteWriter m_out;
    ByteWriter m_descriptions;
    ProjectData m_data;
};

} // namespace

std::optional<ProjectData> BuildProjectData(const CVX50TextDoc& doc, const ProtocolFunctionTable& protocol,
    const ProjectDataOptions& options, TextCoder& coder, UserInterface& ui, int& progress)
{
    try {
        return ProjectDataBuilder(doc, protocol, options, coder, ui, progress).Build();
    } catch (const ImageBuildStopped&) {
        return std::nullopt;
    }
}
