#pragma once

#include "model/CopyRegEntry.h"

#include <string>
#include <vector>

// One copy-register group: ElementCount consecutive 16-bit registers read at
// the source's start element and written at each target's start element.
struct CopyRegGroup {
    int GroupNumber = 0; // 0 to 3
    int SourceStation = 1;
    std::string SourceStartElement;
    int ElementCount = 1;
    std::string SourceGroupName; // a 16-bit word group
    int SourcePort = 0; // 0 RS485, 1 COM1
    std::vector<CopyRegEntry> Targets; // at most 5

    bool operator==(const CopyRegGroup&) const = default;
};
