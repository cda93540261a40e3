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
    preset.PairCount = 3;
    preset.Texts[0] = "stop";
    preset.Texts[1] = "running fast";
    preset.Texts[2] = "fault";
    preset.Values = {0, 1, 65535};
    return preset;
}
