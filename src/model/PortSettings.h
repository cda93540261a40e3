#pragma once

// One serial line of the panel as the project keeps it (RS485 and COM1 each
// have one). The defaults are those of a new project.
struct PortSettings {
    int baud = 19200;  // 4800, 9600, 19200, 38400, 57600 or 115200
    int parity = 0;    // 0 none, 1 odd, 2 even
    int dataBits = 8;  // 7 or 8 (the line-control codes also carry 5 and 6)
    int stopBits = 1;  // 1 or 2

    bool operator==(const PortSettings&) const = default;
};
