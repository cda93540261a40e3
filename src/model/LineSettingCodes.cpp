#include "model/LineSettingCodes.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, int>, 6> kBaudCodes = {{
    {4800, 143},
    {9600, 71},
    {19200, 35},
    {38400, 17},
    {57600, 11},
    {115200, 5},
}};

constexpr int kDataBitsMask = 0x06;
constexpr int kTwoStopBits = 0x08;
constexpr int kParityOdd = 0x30;
constexpr int kParityEven = 0x20;

} // namespace

int BaudToDivisorCode(int baud)
{
    for (const auto& [b, code] : kBaudCodes)
        if (b == baud)
            return code;
    return -1;
}

std::optional<int> BaudFromDivisorCode(int code)
{
    for (const auto& [baud, c] : kBaudCodes)
        if (c == code)
            return baud;
    return std::nullopt;
}

int LineControlCode(const PortSettings& port)
{
    int code = 0;
    if (port.dataBits >= 6 && port.dataBits <= 8)
        code |= (port.dataBits - 5) << 1;
    if (port.stopBits == 2)
        code |= kTwoStopBits;
    if (port.parity == 1)
        code |= kParityOdd;
    else if (port.parity == 2)
        code |= kParityEven;
    return code;
}

std::optional<int> DataBitsFromCode(int field)
{
    if (field < 0 || field > kDataBitsMask || (field & ~kDataBitsMask) != 0)
        return std::nullopt;
    return 5 + (field >> 1);
}

std::optional<int> StopBitsFromCode(int field)
{
    if (field == 0)
        return 1;
    if (field == kTwoStopBits)
        return 2;
    return std::nullopt;
}

std::optional<int> ParityFromCode(int field)
{
    if (field == 0)
        return 0;
    if (field == kParityEven)
        return 2;
    if (field == kParityOdd)
        return 1;
    return std::nullopt;
}

void ApplyLineCodes(PortSettings& port, int baudCode, int lineControl)
{
    port.baud = BaudFromDivisorCode(baudCode).value_or(port.baud);
    port.dataBits = DataBitsFromCode(lineControl & kDataBitsMask).value_or(port.dataBits);
    port.stopBits = StopBitsFromCode(lineControl & kTwoStopBits).value_or(port.stopBits);
    port.parity = ParityFromCode(lineControl & (kParityOdd | kParityEven)).value_or(port.parity);
}

int ScreenSaverSeconds(int index)
{
    static constexpr std::array<int, 10> kSeconds = {0, 180, 300, 600, 900, 1200, 1800, 2700, 3600, 20};
    if (index < 0 || index >= static_cast<int>(kSeconds.size()))
        return -1;
    return kSeconds[static_cast<std::size_t>(index)];
}
