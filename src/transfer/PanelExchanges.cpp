#include "transfer/PanelExchanges.h"

#include "StringIds.h"
#include "StringTable.h"
#include "base/UserInterface.h"
#include "transfer/PanelFrames.h"
#include "transfer/PanelSerial.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kEndTransferTries = 3;

} // namespace

bool EndTransfer(CPanelSerial& port, UserInterface& ui)
{
    std::array<std::uint8_t, kEndReplyLength> reply{};
    for (int attempt = 0; attempt < kEndTransferTries; ++attempt) {
        if (port.CommandSend(kEndFrame.data(), kEndFrame.size(), reply.data(), reply.size()) == kSerialOk
            && ReplyHasFunction(reply.data(), kFunctionEnd))
            return true;
    }
    ui.ShowMessage(IdsCheckConnectionOrPort);
    return false;
}

std::string QueryFirmwareVersion(CPanelSerial& port, UserInterface& ui)
{
    std::array<std::uint8_t, kVersionReplyLength> reply{};
    if (port.CommandSend(kVersionFrame.data(), kVersionFrame.size(), reply.data(), reply.size()) != kSerialOk
        || !DataReplyIsValid(reply.data(), port.ReceivedCount(), kFunctionVersion)) {
        ui.ShowMessage(IdsCommunicationError);
        return {};
    }
    const std::string format = StringGbk(IdsFirmwareVersionFormat);
    char text[64];
    std::snprintf(text, sizeof text, format.c_str(), FirmwareVersionNumber(reply[2]));
    return text;
}

double FirmwareVersionNumber(std::uint8_t code)
{
    char hex[4];
    std::snprintf(hex, sizeof hex, "%x", code);
    return std::atoi(hex) * 0.1;
}
