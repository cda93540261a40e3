// The document's line-setting codes: the free functions of LineSettingCodes
// applied to the port the selector names.

#include "model/CVX50TextDoc.h"

#include "model/LineSettingCodes.h"

#include <optional>

namespace {

void AssignWhenNamed(int& field, std::optional<int> value)
{
    if (value)
        field = *value;
}

} // namespace

int CVX50TextDoc::ScreenSaverSeconds() const
{
    return ::ScreenSaverSeconds(Panel.ScreenSaverIndex);
}

int CVX50TextDoc::BaudToDivisorCode(int port) const
{
    return ::BaudToDivisorCode(PortBySelector(port).baud);
}

int CVX50TextDoc::LineControlCode(int port) const
{
    return ::LineControlCode(PortBySelector(port));
}

void CVX50TextDoc::SetBaudFromDivisorCode(int code, int port)
{
    AssignWhenNamed(PortBySelector(port).baud, BaudFromDivisorCode(code));
}

void CVX50TextDoc::SetDataBitsFromCode(int field, int port)
{
    AssignWhenNamed(PortBySelector(port).dataBits, DataBitsFromCode(field));
}

void CVX50TextDoc::SetStopBitsFromCode(int field, int port)
{
    AssignWhenNamed(PortBySelector(port).stopBits, StopBitsFromCode(field));
}

void CVX50TextDoc::SetParityFromCode(int field, int port)
{
    AssignWhenNamed(PortBySelector(port).parity, ParityFromCode(field));
}
