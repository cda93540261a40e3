#pragma once

#include <string>

// One named address of the device: a 16-bit word address and, for elements of
// word.bit groups, the bit within that word. Names are GBK bytes.
struct DeviceElement {
    std::string name;    // unique within its group, at most 10 characters from the editor
    int wordAddress = 0; // 0 to 0xFFFF
    int bit = 0;         // 0 to 15 in word.bit groups (access mode 0 or 2), else 0

    bool operator==(const DeviceElement&) const = default;
};
