#include "transfer/TransferSession.h"

#include "base/UserInterface.h"
#include "transfer/PanelExchanges.h"
#include "transfer/PanelFrames.h"
#include "transfer/PortOpenReport.h"

#include <algorithm>
#include <vector>

TransferSession::TransferSession(UserInterface& ui)
    : m_ui(ui)
{
}

TransferSession::~TransferSession()
{
    Finish({CleanUp::ClosePort, CleanUp::RemoveProgress});
}

bool TransferSession::ShowProgress(int maximum, int captionId, int textId)
{
    if (!m_ui.ProgressBegin(maximum))
        return false;
    m_progressShown = true;
    m_ui.ProgressCaption(captionId, textId);
    return true;
}

void TransferSession::StepTo(int position)
{
    m_position = position;
    m_ui.ProgressStep(m_position);
}

void TransferSession::SetRange(int maximum)
{
    if (m_progressShown && m_ui.ProgressBegin(maximum))
        StepTo(m_position);
}

bool TransferSession::OpenPort(const QString& portName, float stopBits)
{
    if (m_port.InitComm(portName, kPanelBaud, 8, 0, stopBits, 2048, 2048))
        return true;
    ReportPortOpenFailure(m_port, m_ui);
    return false;
}

TransferSession::Reply TransferSession::Exchange(const std::uint8_t* frame, std::size_t length, int replyLength,
    std::uint8_t function)
{
    std::vector<std::uint8_t> reply(static_cast<std::size_t>(replyLength));
    if (m_port.CommandSend(frame, static_cast<int>(length), reply.data(), replyLength) != kSerialOk)
        return Reply::NotSent;
    return ReplyHasFunction(reply.data(), function) ? Reply::Accepted : Reply::Refused;
}

TransferSession::Reply TransferSession::SendBlock(const std::uint8_t* bytes, std::uint8_t block)
{
    std::array<std::uint8_t, kBlockFrameLength> frame{};
    BuildPageFrame(bytes, frame.data(), block);
    return Exchange(frame, kBlockWriteReplyLength, kFunctionBlockWrite);
}

TransferSession::Reply TransferSession::ReadBlock(std::uint8_t block, std::uint8_t* bytes)
{
    const std::array<std::uint8_t, 5> frame = BuildBlockReadFrame(block);
    std::array<std::uint8_t, kBlockReadReplyLength> reply{};
    if (m_port.CommandSend(frame.data(), static_cast<int>(frame.size()), reply.data(), kBlockReadReplyLength)
        != kSerialOk)
        return Reply::NotSent;
    if (!DataReplyIsValid(reply.data(), m_port.ReceivedCount(), kFunctionBlockRead) || reply[2] != block)
        return Reply::Refused;
    std::copy_n(reply.begin() + 3, kBlockSize, bytes);
    return Reply::Accepted;
}

void TransferSession::Finish(std::initializer_list<CleanUp> steps, int messageId)
{
    for (const CleanUp step : steps) {
        switch (step) {
        case CleanUp::Message:
            if (messageId != 0)
                m_ui.ShowMessage(messageId);
            break;
        case CleanUp::EndTransfer:
            if (m_port.IsOpen())
                EndTransfer(m_port, m_ui);
            break;
        case CleanUp::ClosePort:
            m_port.Close();
            break;
        case CleanUp::RemoveProgress:
            if (m_progressShown)
                m_ui.ProgressEnd();
            m_progressShown = false;
            break;
        }
    }
}
