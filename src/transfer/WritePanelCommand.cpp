#include "transfer/WritePanelCommand.h"

#include "StringIds.h"
#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "transfer/PanelExchanges.h"
#include "transfer/PanelFrames.h"
#include "transfer/ImageCommandStart.h"
#include "transfer/TransferSession.h"
#include "transfer/image/HeaderArea.h"
#include "transfer/image/MainAreaBuilder.h"

#include <array>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using CleanUp = TransferSession::CleanUp;
using Reply = TransferSession::Reply;

// The progress window's range: 4 positions a screen and 55 more.
constexpr int kProgressBase = 55;
constexpr auto kSettleBeforeEnd = std::chrono::milliseconds(100);
constexpr int kEndFrameSendMs = 800;
// How long the begin exchange waits for its first reply. A panel answers its
// frames in order, and one that was busy when the end frame came answers
// that first, late; a line without a panel fails after this wait.
constexpr int kFirstReplyAfterEndMs = 3 * CSerial::kReplyLatencyMs;

// A panel left inside a transfer (an earlier write broken off) is told that
// it ended. A panel that is not inside one may keep silent, so no reply is
// awaited: the begin exchange recognises the end's reply if one comes.
void EndAnyEarlierTransfer(CPanelSerial& port)
{
    std::this_thread::sleep_for(kSettleBeforeEnd);
    port.DiscardInput();
    port.Write(kEndFrame.data(), static_cast<int>(kEndFrame.size()), kEndFrameSendMs);
}

// The begin exchange after EndAnyEarlierTransfer: a reply to the end frame,
// told apart by its function code, is passed over, however late it comes
// within the wait.
Reply BeginTransfer(CPanelSerial& port)
{
    std::array<std::uint8_t, kBeginReplyLength> reply{};
    const auto answersEnd = [](const std::uint8_t* bytes, int received) {
        return received > 1 && bytes[1] == kFunctionEnd;
    };
    if (port.CommandSendAfterUnanswered(kBeginFrame.data(), static_cast<int>(kBeginFrame.size()), reply.data(),
            kBeginReplyLength, kFirstReplyAfterEndMs, answersEnd)
        != kSerialOk)
        return Reply::NotSent;
    return ReplyHasFunction(reply.data(), kFunctionBegin) ? Reply::Accepted : Reply::Refused;
}

// Sends the `blockCount` blocks of `bytes` from block number `firstBlock` on,
// moving the progress on after every `step`-th block. A failed block ends the
// transfer before its message.
bool SendBlocks(TransferSession& session, const std::vector<std::uint8_t>& bytes, int blockCount,
    std::uint8_t firstBlock, int step)
{
    for (int k = 0; k < blockCount; ++k) {
        const Reply reply = session.SendBlock(bytes.data() + static_cast<std::size_t>(k) * kBlockSize,
            static_cast<std::uint8_t>(firstBlock + k));
        if (reply != Reply::Accepted) {
            session.Finish({CleanUp::EndTransfer, CleanUp::Message, CleanUp::ClosePort, CleanUp::RemoveProgress},
                reply == Reply::NotSent ? IdsCommunicationError : IdsEnsureDeviceRunningAtBlock);
            return false;
        }
        if ((k + 1) % step == 0)
            session.Step();
    }
    return true;
}

} // namespace

WritePanelCommand::WritePanelCommand(CVX50TextDoc& doc, ProtocolFunctionTable& protocol, UserInterface& ui,
    std::shared_ptr<const UnifontFont> font)
    : m_doc(doc), m_protocol(protocol), m_ui(ui), m_font(std::move(font))
{
}

bool WritePanelCommand::Run(const Options& options)
{
    bool descriptions = true;
    if (options.askDescriptions) {
        const int answer = m_ui.ShowMessage(IdsDownloadDescriptionsQuestion, MbYesNoCancel | MbIconQuestion);
        if (answer == IdCancel)
            return false;
        descriptions = answer != IdNo;
    }

    // Every check that can refuse the project runs before the port opens:
    // a refused project sends nothing to the panel.
    TransferSession session(m_ui);
    if (!StartImageCommand(session, m_doc, m_protocol, kProgressBase, true))
        return false;
    session.StepTo(1);
    MainAreaBuilder main(m_doc, m_protocol, m_ui, m_font);
    if (!main.BuildProjectData({descriptions}, session.Position())) {
        session.Finish({CleanUp::RemoveProgress});
        return false;
    }
    session.Step();
    const std::optional<MainArea> area = main.Assemble(); // 61414 declined or 61262 shown when none
    if (!area) {
        session.Finish({CleanUp::RemoveProgress});
        return false;
    }
    session.Step();
    const HeaderBuild header = BuildHeaderArea(m_doc, m_protocol, main.Data(), *area, main.UsedChars().Count());
    if (!header.area) {
        session.Finish({CleanUp::Message, CleanUp::RemoveProgress}, header.failedMessageId);
        return false;
    }

    if (!session.OpenPort(options.portName, 1.0f)) {
        session.Finish({CleanUp::RemoveProgress});
        return false;
    }
    EndAnyEarlierTransfer(session.Port());
    if (const Reply begin = BeginTransfer(session.Port()); begin != Reply::Accepted) {
        session.Finish({CleanUp::Message, CleanUp::ClosePort, CleanUp::RemoveProgress},
            begin == Reply::NotSent ? IdsCommunicationError : IdsEnsureDeviceRunningAtBegin);
        return false;
    }

    // The main blocks move the bar on every ceil(0.025 x header blocks) blocks.
    const int step = (header.area->blockCount + 39) / 40;
    if (!SendBlocks(session, area->bytes, area->blockCount, kFirstMainBlock, step)
        || !SendBlocks(session, header.area->bytes, header.area->blockCount, kFirstHeaderBlock, 1))
        return false;

    if (const Reply end = session.Exchange(kEndFrame, kEndReplyLength, kFunctionEnd); end != Reply::Accepted) {
        session.Finish({CleanUp::Message, CleanUp::ClosePort, CleanUp::RemoveProgress},
            end == Reply::NotSent ? IdsCheckConnectionOrPort : IdsEndWriteError);
        return false;
    }

    const std::string version = QueryFirmwareVersion(session.Port(), m_ui); // 61213 shown when it fails
    if (version.empty()) {
        session.Finish({CleanUp::ClosePort, CleanUp::RemoveProgress});
        return false;
    }
    if (options.showVersion)
        options.showVersion(version);
    session.Finish({CleanUp::ClosePort});
    session.Step(step % 10);
    session.Finish({CleanUp::RemoveProgress, CleanUp::Message}, IdsPanelWritten);
    return true;
}
