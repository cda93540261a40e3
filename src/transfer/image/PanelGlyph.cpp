#include "transfer/image/PanelGlyph.h"

#include "base/GbkText.h"

PanelGlyph PanelGlyphFromRows(const GlyphRows& rows)
{
    PanelGlyph glyph{};
    for (int row = 0; row < 16; ++row) {
        const int page = row / 8;
        const std::uint8_t dotBit = static_cast<std::uint8_t>(1u << (row % 8));
        for (int column = 0; column < 16; ++column)
            if (rows[static_cast<std::size_t>(row)] & (0x8000u >> column))
                glyph[static_cast<std::size_t>(16 * page + column)] |= dotBit;
    }
    return glyph;
}

std::optional<PanelGlyph> GlyphOfGbkCharacter(std::uint8_t lead, std::uint8_t trail, const UnifontFont& font)
{
    const char32_t character = UnicodeFromGbkPair(lead, trail);
    if (character == 0)
        return std::nullopt;
    const std::optional<GlyphRows> rows = font.Rows(character);
    if (!rows)
        return std::nullopt;
    return PanelGlyphFromRows(*rows);
}
