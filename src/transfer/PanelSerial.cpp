#include "transfer/PanelSerial.h"

bool CPanelSerial::CheckLength(const std::uint8_t* reply, int received) const
{
    return received > 1;
}
