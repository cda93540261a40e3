#include "base/PackedText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// Texts in place (up to 7 bytes) and in a block, with zero bytes and GBK
// bytes, on both sides of the boundary.
const std::string kTexts[] = {
    "",
    "D",
    std::string("\0", 1),
    "1234567",
    "12345678",
    "\xCE\xBB\xD4\xAA\xBC\xFE",
    "\x31\x36\xCE\xBB\xD7\xD6\xD4\xAA\xBC\xFE",
    std::string("ab\0cdefgh", 9),
    std::string(300, '\xB0'),
};

} // namespace

TEST(PackedText, HoldsEveryByteOfShortAndLongTexts)
{
    for (const std::string& bytes : kTexts) {
        SCOPED_TRACE(bytes.size());
        const PackedText text(bytes);
        EXPECT_EQ(text.View(), bytes);
        EXPECT_EQ(text.size(), bytes.size());
        EXPECT_EQ(text.empty(), bytes.empty());
        EXPECT_EQ(std::string(text), bytes);
        EXPECT_TRUE(text == bytes);
        EXPECT_TRUE(bytes == text);
        EXPECT_FALSE(text == bytes + "x");
    }
}

TEST(PackedText, CopiesAndMovesKeepTheirTextAfterTheSourceChanges)
{
    for (const std::string& bytes : kTexts) {
        SCOPED_TRACE(bytes.size());
        auto source = std::make_unique<PackedText>(bytes);
        PackedText copied(*source);
        PackedText assigned("previous text longer than seven");
        assigned = *source;
        *source = "changed";
        EXPECT_EQ(copied, PackedText(bytes));
        EXPECT_EQ(assigned.View(), bytes);
        source.reset();
        EXPECT_EQ(copied.View(), bytes);

        PackedText moved(std::move(copied));
        EXPECT_EQ(moved.View(), bytes);
        EXPECT_TRUE(copied.empty()); // NOLINT(bugprone-use-after-move): a moved-from text is empty
        assigned = std::move(moved);
        EXPECT_EQ(assigned.View(), bytes);
    }
}

TEST(PackedText, TakesPartsOfItsOwnText)
{
    PackedText text(std::string(20, 'a') + "tail");
    text = text.View().substr(16);
    EXPECT_EQ(text, "aaaatail");
    text = text.View().substr(4);
    EXPECT_EQ(text, "tail");
    text = text;
    EXPECT_EQ(text, "tail");
    text.clear();
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(text, "");
}

TEST(PackedText, JoinsIntoStdString)
{
    const PackedText name("D12");
    const PackedText type("16-bit word");
    EXPECT_EQ(" " + name, " D12");
    EXPECT_EQ(name + "/" + type, "D12/16-bit word");
    EXPECT_EQ(name + type, "D1216-bit word");
}
