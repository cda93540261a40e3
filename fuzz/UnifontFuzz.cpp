// Feeds arbitrary bytes to the Unifont .hex reader as the font file, then
// asks it for the glyph of every character it may hold and turns each glyph
// found into the panel's form. Nothing may crash or raise a sanitizer
// report.
#include "transfer/image/PanelGlyph.h"
#include "transfer/image/UnifontFont.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const UnifontFont font = UnifontFont::FromText(std::string(reinterpret_cast<const char*>(data), size));
    for (char32_t c = 0; c <= 0x10000; ++c)
        if (const std::optional<GlyphRows> rows = font.Rows(c))
            PanelGlyphFromRows(*rows);
    // The way the compile takes a Chinese character's glyph.
    GlyphOfGbkCharacter(0xB0, 0xA1, font);
    return 0;
}
