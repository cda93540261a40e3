// The text coding into the used-character table, the font the glyphs come
// from and the panel's glyph format.

#include "base/ByteWriter.h"
#include "transfer/image/ImageFixture.h"
#include "transfer/image/PanelGlyph.h"
#include "transfer/image/TextCoding.h"

#include <map>

using namespace image_test;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

struct Coder {
    explicit Coder(const UnifontFont* font) : coder(table, font) {}
    UsedCharTable table;
    TextCoder coder;
};

TEST(TextCoding, SingleAndDoubleByteCharacters)
{
    Coder c(FixtureFont().get());
    CodedText coded;
    ASSERT_EQ(c.coder.Code("A" + kAh + "B" + kA + kAh, coded), CodingResult::Coded);
    EXPECT_THAT(Bytes(coded.bytes), ElementsAre('A', 0x80, 0x00, 'B', 0x80, 0x01, 0x80, 0x00));
    EXPECT_EQ(coded.characters, 5);
    EXPECT_EQ(c.table.Count(), 2);
    EXPECT_EQ(c.table.FindUsedCharIndex(0xB0, 0xA2), 1);
    EXPECT_EQ(c.table.FindUsedCharIndex(0xB0, 0xA3), -1);
    EXPECT_EQ(c.table.FindUsedCharIndex(0x80, 0x00), -2);
    EXPECT_EQ(c.table.FindUsedCharIndex(0x41, 0x42), -2);

    ByteWriter out;
    AppendCodedText(out, coded);
    EXPECT_EQ(out.Data()[0], 8);
}

TEST(TextCoding, NeverReadsPastTheText)
{
    Coder c(FixtureFont().get());
    CodedText coded;
    // A lead byte at the end starts no character; a zero byte ends the text.
    ASSERT_EQ(c.coder.Code("AB\xB0", coded), CodingResult::Coded);
    EXPECT_EQ(coded.bytes, "AB");
    ASSERT_EQ(c.coder.Code(std::string("C\0D", 3), coded), CodingResult::Coded);
    EXPECT_EQ(coded.bytes, "C");
    EXPECT_EQ(c.table.Count(), 0);
}

TEST(TextCoding, CharactersWithoutAGlyphFail)
{
    Coder c(FixtureFont().get());
    CodedText coded;
    for (const std::string& character : {kNoGlyph, std::string("\x80\x41"), std::string("\xFF\xFF")}) {
        EXPECT_EQ(c.coder.Code("x" + character, coded), CodingResult::NoGlyph);
        EXPECT_EQ(c.coder.FailedCharacter(), character);
    }
    EXPECT_EQ(c.table.Count(), 0);

    Coder noFont(nullptr);
    EXPECT_EQ(noFont.coder.Code(kAh, coded), CodingResult::NoGlyph);
}

TEST(TextCoding, AFullTableStillCodesItsCharacters)
{
    const ManyCharacters& many = TooManyCharacters();
    ASSERT_EQ(many.characters.size(), static_cast<std::size_t>(UsedCharTable::kCharacterLimit + 1));
    Coder c(many.font.get());
    CodedText coded;
    for (int k = 0; k < UsedCharTable::kCharacterLimit; ++k)
        ASSERT_EQ(c.coder.Code(many.characters[static_cast<std::size_t>(k)], coded), CodingResult::Coded);
    EXPECT_THAT(Bytes(coded.bytes), ElementsAre(0x84, 0xAF)); // slot 1199
    ASSERT_TRUE(c.table.IsFull());

    ASSERT_EQ(c.coder.Code(many.characters[300], coded), CodingResult::Coded);
    EXPECT_THAT(Bytes(coded.bytes), ElementsAre(0x81, 0x2C));
    EXPECT_EQ(c.coder.Code(many.characters.back(), coded), CodingResult::TooManyCharacters);
    EXPECT_EQ(c.table.Count(), UsedCharTable::kCharacterLimit);
}

TEST(TextCoding, ClearEmptiesTheTable)
{
    Coder c(FixtureFont().get());
    CodedText coded;
    c.coder.Code(kAh, coded);
    c.table.Clear();
    EXPECT_EQ(c.table.Count(), 0);
    EXPECT_EQ(c.table.FindUsedCharIndex(0xB0, 0xA1), -1);
    c.coder.Code(kA, coded);
    EXPECT_THAT(Bytes(coded.bytes), ElementsAre(0x80, 0x00));
}

TEST(PanelGlyphs, ColumnsInTwoPagesOfEightRows)
{
    GlyphRows rows{};
    rows[0] = 0x8000;  // top left
    rows[9] = 0x0001;  // row 9, right column
    rows[15] = 0xFFFF; // bottom row
    const PanelGlyph glyph = PanelGlyphFromRows(rows);
    EXPECT_EQ(glyph[0], 0x01);
    EXPECT_EQ(glyph[16 + 15], 0x80 | 0x02);
    EXPECT_EQ(glyph[16 + 3], 0x80);
    EXPECT_EQ(glyph[5], 0x00);
}

TEST(PanelGlyphs, TheGlyphOfAChineseCharacterFromUnifont)
{
    const auto font = UnifontFont::Load(UnifontPath());
    ASSERT_TRUE(font) << "GNU Unifont is needed at " << UnifontPath();
    // U+554A in unifont.hex: rows 0000 0EFC EA08 AA08 AAE8 AAA8 ACA8 AAA8
    // AAA8 AAA8 EAE8 AAA8 0C08 0808 0828 0810, turned into columns.
    const std::optional<PanelGlyph> glyph = GlyphOfGbkCharacter(0xB0, 0xA1, *font);
    ASSERT_TRUE(glyph);
    EXPECT_THAT(*glyph, ElementsAre(0xFC, 0x04, 0xFC, 0x00, 0xFE, 0x42, 0xBE, 0x00, 0xF2, 0x12, 0xF2, 0x02, 0xFE,
                            0x02, 0x00, 0x00, 0x0F, 0x04, 0x0F, 0x00, 0xFF, 0x10, 0x0F, 0x00, 0x0F, 0x04, 0x4F, 0x80,
                            0x7F, 0x00, 0x00, 0x00));
}

TEST(PanelGlyphs, NarrowGlyphsStandInTheMiddle)
{
    const auto font = UnifontFont::Load(WriteFont("narrow.hex", {}));
    ASSERT_TRUE(font);
    const std::optional<GlyphRows> rows = font->Rows(U'A');
    ASSERT_TRUE(rows);
    EXPECT_EQ((*rows)[7], 0x0420); // 0x42 shifted into columns 4 to 11
    EXPECT_FALSE(font->Rows(U'B'));
    EXPECT_FALSE(UnifontFont::Load(::testing::TempDir() + "no-such-font.hex"));
}

TEST(PanelGlyphs, TheSharedFontFollowsItsPath)
{
    const std::string previous = UnifontPath();
    SetUnifontPath(WriteFont("shared.hex", {}));
    const auto first = SharedUnifont();
    ASSERT_TRUE(first);
    EXPECT_EQ(SharedUnifont(), first); // read once
    EXPECT_TRUE(first->Rows(0x554A));
    SetUnifontPath(::testing::TempDir() + "missing.hex");
    EXPECT_FALSE(SharedUnifont());
    SetUnifontPath(previous);
}

} // namespace
