#pragma once

#include <string>

// One target of a copy-register group: where the copied registers are written.
struct CopyRegEntry {
    int Station = 1;
    int Port = 0; // 0 RS485, 1 COM1
    std::string StartElement;
    std::string GroupName; // a 16-bit word group

    bool operator==(const CopyRegEntry&) const = default;
};
