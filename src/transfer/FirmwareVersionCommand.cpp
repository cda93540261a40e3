#include "transfer/FirmwareVersionCommand.h"

#include "transfer/ComPortNames.h"
#include "transfer/ComPortNumber.h"
#include "transfer/PanelExchanges.h"
#include "transfer/PanelSerial.h"
#include "transfer/PortOpenReport.h"

std::string RunFirmwareVersionCommand()
{
    CPanelSerial port;
    if (!port.InitComm(PanelPortName(ComPortNumber()), 19200, 8, 0, 1.0f, 2048, 2048)) {
        ReportPortOpenFailure(port);
        return {};
    }
    std::string version = QueryFirmwareVersion(port);
    port.Close();
    return version;
}
