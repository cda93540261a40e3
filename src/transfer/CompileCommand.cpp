#include "transfer/CompileCommand.h"

#include "StringIds.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "transfer/ImageCommandStart.h"
#include "transfer/TransferSession.h"
#include "transfer/image/MainArea.h"
#include "transfer/image/MainAreaBuilder.h"

#include <cstdio>

namespace {

using CleanUp = TransferSession::CleanUp;

// The progress window's range: 4 positions a screen and 5 more.
constexpr int kProgressBase = 5;

} // namespace

ImageUsage MeasureImageUsage(int glyphTableLength, int projectDataLength)
{
    ImageUsage usage;
    const int length = glyphTableLength + projectDataLength;
    usage.blocks = ImageBlockCount(length);
    usage.total = length + kBlockOverhead * usage.blocks;
    // A full panel is refused too: the chart never shows a memory without room.
    usage.fits = usage.total < kPanelCapacity;
    usage.used = usage.total;
    usage.free = kPanelCapacity - usage.total;
    return usage;
}

std::string UsedSpaceText(const ImageUsage& usage)
{
    char percent[32];
    std::snprintf(percent, sizeof percent, "%2.2f", usage.total * 100.0 / kPanelCapacity);
    return StringGbk(IdsSpaceUsed) + percent + "%";
}

CompileCommand::CompileCommand(CVX50TextDoc& doc, ProtocolFunctionTable& protocol, UserInterface& ui,
    std::shared_ptr<const UnifontFont> font)
    : m_doc(doc), m_protocol(protocol), m_ui(ui), m_font(std::move(font))
{
}

bool CompileCommand::Run(const std::function<void(const ImageUsage&)>& showUsage)
{
    TransferSession session(m_ui);
    if (!StartImageCommand(session, m_doc, m_protocol, kProgressBase, false))
        return false;

    session.StepTo(1);
    MainAreaBuilder main(m_doc, m_protocol, m_ui, m_font);
    if (!main.BuildProjectData({true}, session.Position())) {
        session.Finish({CleanUp::RemoveProgress});
        return false;
    }
    const int glyphTableLength = static_cast<int>(GlyphTableBytes(main.UsedChars(), m_font.get()).size());
    const ImageUsage usage = MeasureImageUsage(glyphTableLength, static_cast<int>(main.Data().bytes.size()));
    if (!usage.fits) {
        session.Finish({CleanUp::Message, CleanUp::RemoveProgress}, IdsResourceLimitExceeded);
        return false;
    }
    session.Step();
    if (showUsage)
        showUsage(usage);
    session.Finish({CleanUp::RemoveProgress});
    m_ui.ShowMessageText(UsedSpaceText(usage));
    return true;
}
