#pragma once

#include "transfer/image/UsedCharTable.h"

#include <string>
#include <string_view>

class ByteWriter;
class UnifontFont;

// A text as the panel image stores it: single-byte characters as they are,
// each double-byte character as its slot k in the used-character table,
// written 0x80 + k / 256, k % 256.
struct CodedText {
    std::string bytes;
    int characters = 0; // a double-byte character counts 1
};

enum class CodingResult {
    Coded,
    TooManyCharacters, // a new character while the table holds its limit
    NoGlyph,           // not a GBK character, or the font has no glyph for it
};

// Codes texts into one used-character table, taking a slot for each new
// character. A character gets a slot only when `font` has its glyph, so the
// glyph table built from the slots afterwards is complete.
class TextCoder {
public:
    TextCoder(UsedCharTable& table, const UnifontFont* font) : m_table(table), m_font(font) {}

    // Codes `text` up to its first zero byte. A lead byte that ends the text
    // has no character to start and is dropped. On failure `out` is
    // incomplete and FailedCharacter() names the character.
    CodingResult Code(std::string_view text, CodedText& out);

    // The two bytes of the character that failed the last Code.
    const std::string& FailedCharacter() const { return m_failed; }

private:
    bool HasGlyph(std::uint8_t lead, std::uint8_t trail) const;

    UsedCharTable& m_table;
    const UnifontFont* m_font;
    std::string m_failed;
};

// A coded text as records store it: [coded byte count][coded bytes].
void AppendCodedText(ByteWriter& out, const CodedText& coded);
