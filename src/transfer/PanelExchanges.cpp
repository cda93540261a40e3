#include "transfer/PanelExchanges.h"

#include "StringIds.h"
#include "base/StringTable.h"
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
    return FirmwareVersionText(FirmwareVersionNumber(reply[2]));
}

std::string FirmwareVersionText(double version)
{
    // The text may come from a resource file: only the number is formatted,
    // the text itself is never used as a format.
    char number[32];
    std::snprintf(number, sizeof number, "%.1f", version);
    return StringGbkWith(IdsFirmwareVersionFormat, "%.1f", number);
}

double FirmwareVersionNumber(std::uint8_t code)
{
    char hex[4];
    std::snprintf(hex, sizeof hex, "%x", code);
    return std::atoi(hex) * 0.1;
}
