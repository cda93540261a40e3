// Feeds arbitrary bytes to the reader of the preset-register file: every
// input must end in a list or a refusal, never in a crash or a sanitizer
// report (see PresetFileCheck.h).
#include "PresetFileCheck.h"
#include "devices/PresetRegisterFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CheckPresetFile(data, size, ParsePresetRegisters, FormatPresetRegisters);
    return 0;
}
