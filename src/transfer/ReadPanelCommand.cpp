#include "transfer/ReadPanelCommand.h"

#include "StringIds.h"
#include "base/FormatError.h"
#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "model/ProjectReset.h"
#include "transfer/PanelExchanges.h"
#include "transfer/PanelFrames.h"
#include "transfer/TransferSession.h"
#include "transfer/image/ImageLayout.h"
#include "transfer/image/ImageRebuild.h"

#include <vector>

namespace {

using CleanUp = TransferSession::CleanUp;
using Reply = TransferSession::Reply;

constexpr int kProgressBase = 55;
constexpr int kHeaderBlocks = 8;

enum class Lock { Open, Unlocked, Refused, Ended };

// Reads `count` blocks from `first` on into `bytes`, moving the progress on
// after each block when `step`. A failed read ends the transfer before its
// message.
bool ReadBlocks(TransferSession& session, std::vector<std::uint8_t>& bytes, std::uint8_t first, int count, bool step)
{
    bytes.assign(static_cast<std::size_t>(count) * kBlockSize, 0);
    for (int k = 0; k < count; ++k) {
        const Reply reply = session.ReadBlock(static_cast<std::uint8_t>(first + k),
            bytes.data() + static_cast<std::size_t>(k) * kBlockSize);
        if (reply != Reply::Accepted) {
            session.Finish({CleanUp::EndTransfer, CleanUp::Message, CleanUp::ClosePort, CleanUp::RemoveProgress},
                reply == Reply::NotSent ? IdsCommunicationError : IdsReadDataError);
            return false;
        }
        if (step)
            session.Step();
    }
    return true;
}

} // namespace

ReadPanelCommand::ReadPanelCommand(CVX50TextDoc& doc, ProtocolFunctionTable& protocol, UserInterface& ui)
    : m_doc(doc), m_protocol(protocol), m_ui(ui)
{
}

bool ReadPanelCommand::Run(const Options& options)
{
    TransferSession session(m_ui);
    if (!session.ShowProgress(kProgressBase, IdsReadPanelCaption, IdsReadPanelProgress))
        return false;
    session.StepTo(1);
    if (!session.OpenPort(options.portName, 1.0f)) {
        session.Finish({CleanUp::RemoveProgress});
        return false;
    }
    const std::string version = QueryFirmwareVersion(session.Port(), m_ui);
    if (version.empty()) {
        session.Finish({CleanUp::ClosePort, CleanUp::RemoveProgress});
        return false;
    }
    if (options.showVersion)
        options.showVersion(version);

    // The lock query: 09 in byte 1 and 01 in byte 2 ask for the password,
    // 02 refuses reading; any other answer leaves the panel open.
    std::array<std::uint8_t, kLockQueryReplyLength> lock{};
    if (session.Port().CommandSend(kLockQueryFrame.data(), static_cast<int>(kLockQueryFrame.size()), lock.data(),
            kLockQueryReplyLength)
        != kSerialOk) {
        session.Finish({CleanUp::Message, CleanUp::ClosePort, CleanUp::RemoveProgress}, IdsCommunicationError);
        return false;
    }
    if (lock[1] == kFunctionLockQuery && lock[2] == kLockRefusesRead) {
        session.Finish({CleanUp::Message, CleanUp::ClosePort, CleanUp::RemoveProgress}, IdsProjectEncrypted);
        return false;
    }
    if (lock[1] == kFunctionLockQuery && lock[2] == kLockAsksPassword) {
        for (;;) {
            const std::optional<int> password = options.askPassword ? options.askPassword() : std::nullopt;
            if (!password) {
                session.Finish({CleanUp::ClosePort, CleanUp::RemoveProgress});
                return false;
            }
            const Reply reply = session.Exchange(BuildPasswordFrame(*password), kPasswordReplyLength, kFunctionBegin);
            if (reply == Reply::NotSent) {
                session.Finish({CleanUp::Message, CleanUp::ClosePort, CleanUp::RemoveProgress},
                    IdsCommunicationError);
                return false;
            }
            if (reply == Reply::Accepted)
                break;
        }
    }

    std::vector<std::uint8_t> header;
    if (!ReadBlocks(session, header, kFirstHeaderBlock, kHeaderBlocks, false))
        return false;
    if (header[NotReadableAt] == 1) {
        session.Finish({CleanUp::EndTransfer, CleanUp::ClosePort, CleanUp::RemoveProgress, CleanUp::Message},
            IdsProjectNotReadable);
        return false;
    }
    if (options.freshProject && !options.freshProject()) {
        session.Finish({CleanUp::EndTransfer, CleanUp::ClosePort, CleanUp::RemoveProgress});
        return false;
    }

    // From here on the document holds the fresh project being rebuilt; a
    // damaged image leaves it fresh again.
    const auto damaged = [&] {
        session.Finish({CleanUp::EndTransfer, CleanUp::Message, CleanUp::ClosePort, CleanUp::RemoveProgress},
            IdsReadDataError);
        ResetProjectForNew(m_doc);
        m_ui.RebuildProjectTree();
        return false;
    };
    ImageHeaderFacts facts;
    try {
        facts = ApplyHeaderSettings(m_doc, header);
    } catch (const FormatError&) {
        return damaged();
    }
    session.SetRange(header[HighestScreenAt] + 256 * header[HighestScreenAt + 1] + kProgressBase);

    std::vector<std::uint8_t> main;
    if (!ReadBlocks(session, main, kFirstMainBlock, facts.mainBlockCount, true)) {
        // The header's settings stay, on the image's device where the PC
        // has its files.
        TakeImageDevice(m_doc, facts.deviceName, m_ui);
        return false;
    }
    RebuildOutcome outcome;
    try {
        outcome = RebuildFromImage(m_doc, m_protocol, facts, header, main, m_ui, [&] { session.Step(); });
    } catch (const FormatError&) {
        return damaged();
    }
    if (!outcome.Completed()) {
        session.Finish({CleanUp::EndTransfer, CleanUp::Message, CleanUp::ClosePort, CleanUp::RemoveProgress},
            outcome.messageId == RebuildOutcome::kMessageShown ? 0 : outcome.messageId);
        m_ui.RebuildProjectTree();
        return false;
    }

    if (const Reply end = session.Exchange(kEndFrame, kEndReplyLength, kFunctionEnd); end != Reply::Accepted) {
        session.Finish({CleanUp::Message, CleanUp::ClosePort, CleanUp::RemoveProgress},
            end == Reply::NotSent ? IdsCheckConnectionOrPort : IdsEnsureDeviceRunningAtBegin);
        m_ui.RebuildProjectTree();
        return false;
    }
    session.Finish({CleanUp::ClosePort});
    session.Step();
    session.Finish({CleanUp::RemoveProgress});
    m_doc.ProjectModified = 1;
    m_doc.ResetUndoHistory();
    m_ui.RebuildProjectTree();
    m_ui.ShowScreenPage();
    m_ui.RedrawCanvas();
    m_ui.RefreshElementList(true);
    m_ui.ShowMessage(IdsPanelRead);
    return true;
}
