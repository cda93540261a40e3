#pragma once

#include "transfer/image/UnifontFont.h"

#include <array>
#include <cstdint>
#include <optional>

// A character's glyph as the panel draws it: two pages of 16 columns; byte
// 16 x p + c holds the 8 dots of column c (0 at the left) in page p (dot rows
// 0-7, then 8-15), bit i being dot row 8 x p + i.
using PanelGlyph = std::array<std::uint8_t, 32>;

PanelGlyph PanelGlyphFromRows(const GlyphRows& rows);

// The glyph of the GBK double-byte character (lead, trail); nothing when the
// bytes are no GBK character or the font has no glyph for it.
std::optional<PanelGlyph> GlyphOfGbkCharacter(std::uint8_t lead, std::uint8_t trail, const UnifontFont& font);
