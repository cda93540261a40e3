#pragma once

// One serial port of the panel (RS485 or COM1) as the project keeps it.
struct PortSettings {
    int Baud = 19200;
    int Parity = 0; // 0 none, 1 odd, 2 even
    int DataBits = 8;
    int StopBits = 1;
    bool operator==(const PortSettings&) const = default;
};
