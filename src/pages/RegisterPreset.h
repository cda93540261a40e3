#pragma once

#include "devices/PresetRegister.h"

#include <vector>

class CRegisterElement;

// Takes over the device's preset for the register's address: every preset
// of `presets` (in list order, a later one overriding an earlier one) whose
// group name is the register's and whose word address is `wordAddress` (the
// register's, -1 when its element is not in the table) gives the register
// its count, value type and, by its parts, its digits and decimals, its four
// limits and engineering display. A register in HEX/BCD format takes no
// preset and is left alone; any other gets its preview rebuilt afterwards,
// matched or not. Values a preset file could hold beyond the register's
// reach (a count of 2 on a 32-bit type, digits above the format's maximum)
// are brought within it. Returns whether a preset matched.
bool ApplyPresetRegister(CRegisterElement& reg, const std::vector<PresetRegister>& presets, int wordAddress);
