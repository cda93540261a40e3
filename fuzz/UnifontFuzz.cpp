// Feeds arbitrary bytes to the Unifont .hex reader as the font file, then
// asks it for the glyphs of the characters its lines may name and turns
// each glyph found into the panel's form. Nothing may crash or raise a
// sanitizer report.
#include "base/NumberText.h"
#include "transfer/image/PanelGlyph.h"
#include "transfer/image/UnifontFont.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

void UseGlyph(const UnifontFont& font, char32_t character)
{
    if (const std::optional<GlyphRows> rows = font.Rows(character))
        PanelGlyphFromRows(*rows);
}

// The hexadecimal digits of `text` as a number, other characters passed over.
char32_t LooseHex(std::string_view text)
{
    char32_t value = 0;
    for (const char c : text)
        if (const int digit = HexDigitValue(c); digit >= 0)
            value = value * 16 + static_cast<char32_t>(digit);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const UnifontFont font = UnifontFont::FromText(std::string(text));
    // The character before each ":" up to the line's start, read loosely as
    // hexadecimal (asking for all 65,536 would make each run slow); the
    // bounds of the index as well.
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            lineStart = i + 1;
        else if (text[i] == ':')
            UseGlyph(font, LooseHex(text.substr(lineStart, std::min<std::size_t>(i - lineStart, 7))));
    }
    for (const char32_t character : {0x0, 0xFFFF, 0x10000, 0x10FFFF})
        UseGlyph(font, character);
    // The way the compile takes a Chinese character's glyph.
    GlyphOfGbkCharacter(0xB0, 0xA1, font);
    return 0;
}
