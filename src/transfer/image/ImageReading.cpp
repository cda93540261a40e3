#include "transfer/image/ImageReading.h"

#include "base/FormatError.h"

#include <algorithm>

namespace {

// The library's command buffer: a command's length byte allows 255 bytes.
constexpr std::size_t kCommandBuffer = 256;
constexpr std::size_t kGlyphBytes = 32;
constexpr std::uint8_t kCodeOffset = 0xA1;

} // namespace

std::string ReadCommand(ByteReader& in)
{
    return in.Bytes(in.U8());
}

int ReadValue(ByteReader& in, bool wide, bool isSigned)
{
    if (wide)
        return static_cast<int>(in.U32Le());
    const std::uint16_t value = in.U16Le();
    return isSigned ? static_cast<std::int16_t>(value) : value;
}

DecodedCommand CommandDecoder::Decode(int kind, std::string_view command, int replyPosition, int bit) const
{
    DecodedCommand decoded;
    if (!m_decode)
        return decoded;
    std::array<unsigned char, kCommandBuffer> buffer{};
    std::copy_n(command.begin(), std::min(command.size(), buffer.size()), buffer.begin());
    decoded.result = m_decode(kind, buffer.data(), replyPosition, bit, decoded.out1.data(), &decoded.out2,
        &decoded.out3, &decoded.out4);
    return decoded;
}

std::string ImageText::ReadUnits(ByteReader& in, int count) const
{
    std::string text;
    for (int k = 0; k < count; ++k)
        AppendUnit(in, in.U8(), text);
    return text;
}

std::string ImageText::ReadBytes(ByteReader& in, int count) const
{
    const std::size_t end = in.Position() + static_cast<std::size_t>(count);
    if (end > in.Size())
        throw FormatError("text past the end of the image");
    std::string text;
    while (in.Position() < end)
        AppendUnit(in, in.U8(), text);
    if (in.Position() != end)
        throw FormatError("a character runs past its text");
    return text;
}

void ImageText::AppendUnit(ByteReader& in, std::uint8_t first, std::string& text) const
{
    if (first < 0x80) {
        text.push_back(static_cast<char>(first));
        return;
    }
    const int glyph = (first - 0x80) * 256 + in.U8();
    if (glyph >= m_glyphCount)
        throw FormatError("a text names glyph " + std::to_string(glyph) + " of " + std::to_string(m_glyphCount));
    const std::size_t at = 2 + kGlyphBytes * static_cast<std::size_t>(m_glyphCount) + 2 * static_cast<std::size_t>(glyph);
    if (at + 2 > m_main->size())
        throw FormatError("the glyph codes run past the image");
    text.push_back(static_cast<char>(static_cast<std::uint8_t>((*m_main)[at] + kCodeOffset)));
    text.push_back(static_cast<char>(static_cast<std::uint8_t>((*m_main)[at + 1] + kCodeOffset)));
}
