#include "simulator/SimulatedDisplayLayout.h"

#include <array>

PixelRect PasswordPromptBand(const std::optional<DotBox>& askingElement, int clientWidth, int clientHeight)
{
    const int quarter = clientHeight / 4;
    if (!askingElement)
        return {0, quarter, clientWidth, clientHeight / 2};
    if (askingElement->y + askingElement->h / 2 > 32)
        return {0, 0, clientWidth, quarter};
    return {0, 3 * clientHeight / 4, clientWidth, clientHeight};
}

PixelRect LinkErrorBox(int clientWidth, int clientHeight)
{
    return {clientWidth / 5, 3 * clientHeight / 8, clientWidth - clientWidth / 5, clientHeight / 2};
}

std::string LinkErrorText(const std::string& deviceName, bool timedOut)
{
    struct DeviceTexts {
        const char* device;
        const char* timeout;
        const char* dataError;
    };
    static constexpr std::array<DeviceTexts, 6> kTexts = {{
        {"PN07", " PLC   TIMEOUT  ", " PLC  DATA ERROR"},
        {"CT100", " INV   TIMEOUT  ", " INV  DATA ERROR"},
        {"CT200", " INV   TIMEOUT  ", " INV  DATA ERROR"},
        {"DB2100", " INV   TIMEOUT  ", " INV  DATA ERROR"},
        {"QM4", " QM4   TIMEOUT  ", " QM4  DATA ERROR"},
        {"QM4ModBus", " QM4   TIMEOUT  ", " QM4  DATA ERROR"},
    }};
    for (const DeviceTexts& t : kTexts)
        if (deviceName == t.device)
            return timedOut ? t.timeout : t.dataError;
    return "  LINK    ERROR ";
}
