#pragma once

// The line settings of one of the panel's two serial ports (RS485 or COM1).
struct PortParameterSet {
    int baud = 19200;
    int parity = 0; // 0 none, 1 odd, 2 even
    int dataBits = 8;
    int stopBits = 1;
};
