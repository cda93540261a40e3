#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The 16-dot glyphs of GNU Unifont, read from its "unifont.hex" file: one
// line per character, "XXXX:" and the glyph's rows in hexadecimal, 16 rows
// of 8 dots (32 digits) or of 16 dots (64 digits). The panel's Chinese
// characters take their glyphs from it.

// A 16 x 16 cell, row 0 at the top; bit 15 of a row is its leftmost dot.
using GlyphRows = std::array<std::uint16_t, 16>;

class UnifontFont {
public:
    // Reads and indexes the file; nothing when it cannot be read.
    static std::optional<UnifontFont> Load(const std::string& path);
    // Indexes the text of such a file; lines of any other form are passed over.
    static UnifontFont FromText(std::string text);

    // The glyph of a Basic Multilingual Plane character, nothing when the
    // font has none. An 8-dot glyph stands in the middle of the cell.
    std::optional<GlyphRows> Rows(char32_t character) const;

private:
    UnifontFont() = default;

    std::string m_text; // the file
    // Per character: offset of its hex digits in m_text plus 1, 0 for none;
    // the top bit marks a 16-dot glyph.
    std::vector<std::uint32_t> m_glyphAt;
};

// The font file the program reads: Debian's unifont package installs it at
// /usr/share/unifont/unifont.hex; other systems (and the tests) set their own.
const std::string& UnifontPath();
void SetUnifontPath(std::string path);

// The font of UnifontPath(), read at its first use and kept for the rest of
// the run (until the path changes); null when the file cannot be read.
std::shared_ptr<const UnifontFont> SharedUnifont();
