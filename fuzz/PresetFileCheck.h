#pragma once

// The check of the preset-file targets: the file's bytes go to the reader,
// which takes them or refuses them with FormatError; a list that was read
// is written as a file that reads back as the same list, so writing it
// again gives the same bytes.

#include "base/FormatError.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

template <class Parse, class Format>
void CheckPresetFile(const std::uint8_t* data, std::size_t size, Parse parse, Format format)
{
    decltype(parse(std::string_view{})) presets;
    try {
        presets = parse(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const FormatError&) {
        return;
    }
    const std::string written = format(presets);
    if (format(parse(written)) != written)
        __builtin_trap();
}
