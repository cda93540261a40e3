#include "transfer/image/UnifontFont.h"

#include "base/FileIo.h"
#include "base/NumberText.h"

#include <mutex>
#include <string_view>

namespace {

constexpr std::size_t kNarrowDigits = 32; // 16 rows of 2 digits
constexpr std::size_t kWideDigits = 64;   // 16 rows of 4 digits
// Marks an index entry of a 16-dot glyph.
constexpr std::uint32_t kWideGlyph = 0x80000000u;
// A font file with a 16-dot glyph for every code point of Unicode takes
// about 80 MB; no font file is longer.
constexpr std::uint64_t kMaxFontFileBytes = 128 * 1024 * 1024;

// The value of the hex digits of `text`; -1 when one is not a digit.
long HexValue(std::string_view text)
{
    long value = 0;
    for (const char c : text) {
        const int d = HexDigitValue(c);
        if (d < 0)
            return -1;
        value = value * 16 + d;
    }
    return value;
}

struct FontPlace {
    std::mutex mutex;
    std::string path = "/usr/share/unifont/unifont.hex";
    std::shared_ptr<const UnifontFont> font;
    bool loaded = false;
};

FontPlace& Place()
{
    static FontPlace place;
    return place;
}

} // namespace

std::optional<UnifontFont> UnifontFont::Load(const std::string& path)
{
    std::optional<std::string> text = ReadWholeFile(path, kMaxFontFileBytes);
    if (!text)
        return std::nullopt;
    return FromText(std::move(*text));
}

UnifontFont UnifontFont::FromText(std::string text)
{
    UnifontFont font;
    font.m_text = std::move(text);
    font.m_glyphAt.assign(0x10000, 0);
    const std::string_view all(font.m_text);
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos)
            end = all.size();
        std::string_view line = all.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t colon = line.find(':');
        const std::size_t digits = line.size() - colon - 1;
        if (colon != std::string_view::npos && colon <= 6 && (digits == kNarrowDigits || digits == kWideDigits)) {
            const long code = HexValue(line.substr(0, colon));
            if (code >= 0 && code < 0x10000)
                font.m_glyphAt[static_cast<std::size_t>(code)] = static_cast<std::uint32_t>(start + colon + 2)
                    | (digits == kWideDigits ? kWideGlyph : 0);
        }
        start = end + 1;
    }
    return font;
}

std::optional<GlyphRows> UnifontFont::Rows(char32_t character) const
{
    if (character >= m_glyphAt.size() || m_glyphAt[character] == 0)
        return std::nullopt;
    const bool wide = (m_glyphAt[character] & kWideGlyph) != 0;
    const std::size_t at = (m_glyphAt[character] & ~kWideGlyph) - 1;
    const std::size_t rowDigits = wide ? 4 : 2;
    GlyphRows rows{};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const long row = HexValue(std::string_view(m_text).substr(at + r * rowDigits, rowDigits));
        if (row < 0)
            return std::nullopt;
        rows[r] = static_cast<std::uint16_t>(wide ? row : row << 4);
    }
    return rows;
}

const std::string& UnifontPath()
{
    return Place().path;
}

void SetUnifontPath(std::string path)
{
    FontPlace& place = Place();
    const std::lock_guard lock(place.mutex);
    if (place.path == path)
        return;
    place.path = std::move(path);
    place.font.reset();
    place.loaded = false;
}

std::shared_ptr<const UnifontFont> SharedUnifont()
{
    FontPlace& place = Place();
    const std::lock_guard lock(place.mutex);
    if (!place.loaded) {
        if (std::optional<UnifontFont> font = UnifontFont::Load(place.path))
            place.font = std::make_shared<const UnifontFont>(std::move(*font));
        place.loaded = true;
    }
    return place.font;
}
