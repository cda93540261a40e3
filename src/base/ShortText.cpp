#include "base/ShortText.h"

void WriteShortText(ByteWriter& out, std::string_view text)
{
    const std::string_view kept = GbkPrefix(text, 255);
    out.U8(static_cast<std::uint8_t>(kept.size()));
    out.Bytes(kept);
}

std::string ReadShortText(ByteReader& in)
{
    return in.Bytes(in.U8());
}

std::string_view GbkPrefix(std::string_view text, std::size_t maxBytes)
{
    std::size_t end = 0;
    while (end < text.size()) {
        // A lead byte (0x81 and above) starts a two-byte character.
        const std::size_t width = static_cast<unsigned char>(text[end]) >= 0x81 ? 2 : 1;
        if (end + width > maxBytes || end + width > text.size())
            break;
        end += width;
    }
    return text.substr(0, end);
}
