#pragma once

// A preset dynamic text for fixtures. Header-only, like TableGroups.h.

#include "devices/PresetText.h"

#include <string>
#include <utility>

// Three pairs on the word (group, address): 0 "stop", 1 "running fast" (the
// longest text, 12 bytes), 65535 "fault".
inline PresetText ThreePairPreset(std::string group, int address)
{
    PresetText preset;
    preset.GroupName = std::move(group);
    preset.Address = address;
    preset.Pairs = {{0, "stop"}, {1, "running fast"}, {65535, "fault"}};
    return preset;
}
