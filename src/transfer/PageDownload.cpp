#include "transfer/PageDownload.h"

#include "StringIds.h"
#include "base/FileIo.h"
#include "transfer/PanelFrames.h"
#include "transfer/TransferSession.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

using CleanUp = TransferSession::CleanUp;
using Reply = TransferSession::Reply;

constexpr int kPageCount = 256;
constexpr float kPageStopBits = 2.0f;

// Page p of the file at bytes 256 p on; what the file does not reach stays
// zero. Nothing when the file cannot be read.
std::optional<std::vector<std::uint8_t>> ReadPages(const QString& path)
{
    std::vector<std::uint8_t> pages(static_cast<std::size_t>(kPageCount) * kBlockSize, 0);
    const std::optional<std::string> bytes = ReadFileStart(path.toStdString(), pages.size());
    if (!bytes)
        return std::nullopt;
    std::copy(bytes->begin(), bytes->end(), pages.begin());
    return pages;
}

// A page with a wrong reply is sent again, a bounded number of times.
Reply SendPage(TransferSession& session, const std::vector<std::uint8_t>& pages, int page)
{
    Reply reply = Reply::Refused;
    for (int attempt = 0; attempt < kPageSendTries && reply == Reply::Refused; ++attempt)
        reply = session.SendBlock(pages.data() + static_cast<std::size_t>(page) * kBlockSize,
            static_cast<std::uint8_t>(page));
    return reply;
}

} // namespace

bool RunPageDownload(UserInterface& ui, const QString& portName, const PageDownloadChoices& choices)
{
    TransferSession session(ui);
    if (!session.OpenPort(portName, kPageStopBits))
        return false;
    const std::optional<QString> path = choices.chooseFile();
    if (!path) {
        session.Finish({CleanUp::ClosePort});
        return false;
    }
    // Read before the probe: a file that cannot be read ends the command
    // before the panel is told anything.
    const std::optional<std::vector<std::uint8_t>> pages = ReadPages(*path);
    if (!pages) {
        session.Finish({CleanUp::Message, CleanUp::ClosePort}, IdsSaveOrOpenFailed);
        return false;
    }
    if (const Reply probe = session.Exchange(kProbeFrame, kProbeReplyLength, kFunctionBegin);
        probe != Reply::Accepted) {
        session.Finish({CleanUp::Message, CleanUp::ClosePort},
            probe == Reply::NotSent ? IdsCommunicationError : IdsEnsureDeviceRunningAtBegin);
        return false;
    }

    if (const std::optional<PageRange> range = choices.choosePages()) {
        // Pages exist from 0 to 255 only, whatever the caller asks.
        const int last = std::min(range->end, kPageCount - 1);
        for (int page = std::max(range->start, 0); page <= last; ++page) {
            if (const Reply reply = SendPage(session, *pages, page); reply != Reply::Accepted) {
                session.Finish({CleanUp::EndTransfer, CleanUp::Message, CleanUp::ClosePort},
                    reply == Reply::NotSent ? IdsCommunicationError : IdsEnsureDeviceRunningAtBegin);
                return false;
            }
        }
    }

    if (const Reply end = session.Exchange(kEndFrame, kEndReplyLength, kFunctionEnd); end != Reply::Accepted) {
        session.Finish({CleanUp::Message, CleanUp::ClosePort},
            end == Reply::NotSent ? IdsCommunicationError : IdsEnsureDeviceRunningAtBegin);
        return false;
    }
    session.Finish({CleanUp::Message, CleanUp::ClosePort}, IdsFinishedNormally);
    return true;
}
