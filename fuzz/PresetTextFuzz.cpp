// Feeds arbitrary bytes to the reader of the preset dynamic-text file: every
// input must end in a list or a refusal, never in a crash or a sanitizer
// report; and a list that was read is written as a file that reads back the
// same.
#include "base/FormatError.h"
#include "devices/PresetTextFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<PresetText> presets;
    try {
        presets = ParsePresetTexts(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const FormatError&) {
        return 0;
    }
    const std::string written = FormatPresetTexts(presets);
    if (FormatPresetTexts(ParsePresetTexts(written)) != written)
        __builtin_trap();
    return 0;
}
