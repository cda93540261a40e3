#pragma once

#include "transfer/image/ProjectData.h"
#include "transfer/image/UsedCharTable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CVX50TextDoc;
class UnifontFont;
class UserInterface;

// The main area of the panel image, written to panel addresses 0x6000 and
// up in blocks of 256 bytes:
//   [glyph count n, high byte first][n glyphs of 32 bytes][n character codes]
//   [project data][address-table text length, high byte first][the text]
// The text part is left out when the image would not fit with it.

constexpr int kMainAreaAddress = 0x6000;
constexpr int kImageBlockSize = 256;
// What the panel's memory takes of the main area, block frames' overhead of
// 5 bytes a block counted in.
constexpr int kPanelCapacity = 0x9000;
constexpr int kBlockOverhead = 5;

// The glyph table: n, the glyphs of the used characters in slot order and
// their codes (lead byte - 0xA1, trail byte - 0xA1: GB2312 row and cell).
// A character without a glyph in `font` gets an empty glyph.
std::string GlyphTableBytes(const UsedCharTable& table, const UnifontFont* font);

// The device's address-table file text that an image of a user-defined
// device carries, so a project read back from the panel has its table.
struct EmbeddedTableText {
    int length = 0;   // the file's length; 0 when nothing is embedded
    std::string text; // empty when the file is too long to carry
};
// Nothing for a built-in device or one whose table is not editable; length 0
// when the file cannot be read.
EmbeddedTableText ReadEmbeddedTableText(const CVX50TextDoc& doc);

// Blocks of an area of `length` bytes, and whether they fit the panel.
int ImageBlockCount(int length);
bool FitsPanel(int length);

struct MainArea {
    std::vector<std::uint8_t> bytes; // blockCount x 256 bytes, zero-filled
    int blockCount = 0;
    // G, where the project data starts: its offset x is at panel address
    // 0x6000 + G + x.
    int projectDataOffset = 0;
    // The address-table text was left out: the panel cannot be read back.
    bool notReadable = false;
};

// Puts the main area together and checks it against the panel's capacity.
// When it does not fit with the address-table text, a user-defined device
// (`tableEditable`) asks 61414 whether to write it without the text (No
// gives nothing); then, without the text, 61262 refuses an area that still
// does not fit.
std::optional<MainArea> AssembleMainArea(const std::string& glyphTable, const ProjectData& data,
    const EmbeddedTableText& tableText, bool tableEditable, UserInterface& ui);
