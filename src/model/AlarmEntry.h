#pragma once

#include <cstddef>
#include <string>

// One row of an alarm segment: the device element it watches and its text
// (at most 24 GBK bytes). The segment's last row is the typing row, whose
// element name stays empty.
struct AlarmEntry {
    static constexpr std::size_t kMaxTextBytes = 24;

    std::string ElementName;
    std::string Text;

    bool operator==(const AlarmEntry&) const = default;
};
