#pragma once

// The Modbus library's coil positions, for poll-plan tests that do not load
// it: reply byte 3 + offset / 8, bit offset mod 8.
inline int ModbusCoilPosition(int readStart, int coilAddress, int* bit)
{
    *bit = (coilAddress - readStart) % 8;
    return 3 + (coilAddress - readStart) / 8;
}
