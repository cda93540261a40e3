#include "transfer/image/TextCoding.h"

#include "base/ByteWriter.h"
#include "transfer/image/PanelGlyph.h"

CodingResult TextCoder::Code(std::string_view text, CodedText& out)
{
    out = {};
    text = text.substr(0, text.find('\0'));
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        if (lead < 0x80) {
            out.bytes.push_back(static_cast<char>(lead));
            ++out.characters;
            continue;
        }
        if (i + 1 == text.size())
            break;
        const auto trail = static_cast<std::uint8_t>(text[++i]);
        int slot = m_table.FindUsedCharIndex(lead, trail);
        if (slot < 0) {
            m_failed = {static_cast<char>(lead), static_cast<char>(trail)};
            if (m_table.IsFull())
                return CodingResult::TooManyCharacters;
            if (!HasGlyph(lead, trail))
                return CodingResult::NoGlyph;
            slot = m_table.Add(lead, trail);
        }
        out.bytes.push_back(static_cast<char>(0x80 + slot / 256));
        out.bytes.push_back(static_cast<char>(slot % 256));
        ++out.characters;
    }
    return CodingResult::Coded;
}

bool TextCoder::HasGlyph(std::uint8_t lead, std::uint8_t trail) const
{
    return lead > 0x80 && m_font && GlyphOfGbkCharacter(lead, trail, *m_font);
}

void AppendCodedText(ByteWriter& out, const CodedText& coded)
{
    out.U8(static_cast<std::uint8_t>(coded.bytes.size()));
    out.Bytes(coded.bytes);
}
