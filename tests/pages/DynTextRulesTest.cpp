#include "pages/DynTextRules.h"
#include "support/PresetTextFixtures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr NumberFormat Hex = NumberFormat::Hex;
constexpr NumberFormat Unsigned = NumberFormat::Unsigned;
constexpr NumberFormat Signed = NumberFormat::Signed;

// "中" in GBK: one character of two bytes.
const std::string kZhong = "\xd6\xd0";

std::vector<DynTextEntry> Texts(std::initializer_list<std::string> texts)
{
    std::vector<DynTextEntry> entries;
    int value = 0;
    for (const std::string& text : texts)
        entries.push_back({text, std::to_string(value++)});
    return entries;
}

} // namespace

TEST(DynTextRules, ValuesAreStoredInDecimalAndShownInTheFormat)
{
    struct Case {
        const char* typed;
        NumberFormat format;
        std::optional<std::string> stored;
    };
    const Case cases[] = {
        {"1A", Hex, "26"},
        {"FFFF", Hex, "65535"},
        {"12345", Hex, std::nullopt},
        {"100000000", Hex, std::nullopt},
        {"G", Hex, std::nullopt},
        {"-32768", Signed, "-32768"},
        {"32767", Signed, "32767"},
        {"-32769", Signed, std::nullopt},
        {"32768", Signed, std::nullopt},
        {"0", Unsigned, "0"},
        {"65535", Unsigned, "65535"},
        {"65536", Unsigned, std::nullopt},
        {"-1", Unsigned, std::nullopt},
        {"", Unsigned, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StoredEntryValue(c.typed, c.format), c.stored) << c.typed;

    EXPECT_EQ(ShownEntryValue("26", Hex), "1A");
    EXPECT_EQ(ShownEntryValue("-1", Hex), "FFFF");
    EXPECT_EQ(ShownEntryValue("-1", Unsigned), "65535");
    EXPECT_EQ(ShownEntryValue("65535", Signed), "-1");
    EXPECT_EQ(ShownEntryValue("", Signed), "");

    const auto unsignedEntries = EntriesInUnsignedDecimal({{"a", "-1"}, {"b", ""}, {"c", "7"}});
    EXPECT_EQ(unsignedEntries, (std::vector<DynTextEntry>{{"a", "65535"}, {"b", ""}, {"c", "7"}}));
}

TEST(DynTextRules, EntryTextsKeepTheLimitAndTheTablesLastText)
{
    const auto entries = Texts({"abc", ""});
    EXPECT_TRUE(MayTakeEntryText(entries, 0, std::string(24, 'a'), false));
    EXPECT_FALSE(MayTakeEntryText(entries, 0, std::string(25, 'a'), false));
    EXPECT_TRUE(MayTakeEntryText(entries, 0, std::string(12, 'a'), true));
    EXPECT_FALSE(MayTakeEntryText(entries, 0, std::string(13, 'a'), true));
    // The only text cannot be emptied; with a second text it can.
    EXPECT_FALSE(MayTakeEntryText(entries, 0, "", false));
    EXPECT_TRUE(MayTakeEntryText(Texts({"abc", "d"}), 0, "", false));

    EXPECT_EQ(DynTextWidth(Texts({"abc", "abcdefghij"}), false), 80);
    EXPECT_EQ(DynTextWidth(Texts({"abc", "abcdefghij"}), true), 160);
}

TEST(DynTextRules, DoubleSizeCutsTextsWithoutSplittingACharacter)
{
    const DynTextLayout fourteen = DoubleDynText(Texts({std::string(14, 'a')}), {40, 10, 112, 16});
    EXPECT_EQ(fourteen.entries[0].text, std::string(12, 'a'));
    EXPECT_EQ(fourteen.box, (DotBox{0, 10, 192, 32}));

    // A character on bytes 11 and 12 (from 0) is not split: 11 bytes, 176 dots.
    const std::string split = std::string(11, 'a') + kZhong + "b";
    const DynTextLayout eleven = DoubleDynText(Texts({split}), {0, 40, 112, 16});
    EXPECT_EQ(eleven.entries[0].text, std::string(11, 'a'));
    EXPECT_EQ(eleven.box, (DotBox{0, 32, 176, 32}));

    // The width follows the longest text, whichever was cut last.
    const DynTextLayout both = DoubleDynText(Texts({std::string(13, 'a'), split}), {0, 0, 104, 16});
    EXPECT_EQ(both.box.w, 192);

    // Nothing cut: the box doubles.
    EXPECT_EQ(DoubleDynText(Texts({"abcd"}), {0, 0, 32, 16}).box, (DotBox{0, 0, 64, 32}));
}

TEST(DynTextRules, APresetOfTheAddressGivesItsPairsAndTheLongestWidth)
{
    const std::vector<PresetText> presets{ThreePairPreset("Register", 5)};
    const auto layout = PresetLayout(presets, {"Register", 5, 0}, true, false, {150, 60, 80, 16});
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->entries,
        (std::vector<DynTextEntry>{{"stop", "0"}, {"running fast", "1"}, {"fault", "-1"}}));
    EXPECT_EQ(layout->box, (DotBox{96, 48, 96, 16}));

    // Unsigned, at double size: texts cut to 12 bytes, two lines high.
    PresetText longText = ThreePairPreset("Register", 5);
    longText.Pairs[1].Text = "running faster";
    const auto doubled = PresetLayout({longText}, {"Register", 5, 0}, false, true, {0, 0, 80, 32});
    ASSERT_TRUE(doubled);
    EXPECT_EQ(doubled->entries[1].text, "running fast");
    EXPECT_EQ(doubled->entries[2].value, "65535");
    EXPECT_EQ(doubled->box, (DotBox{0, 0, 192, 32}));

    // The last preset of the address decides; another bit or group has none.
    PresetText later = ThreePairPreset("Register", 5);
    later.Pairs.resize(1);
    const std::vector<PresetText> both{ThreePairPreset("Register", 5), later};
    EXPECT_EQ(PresetLayout(both, {"Register", 5, 0}, false, false, {})->entries.size(), 1u);
    EXPECT_FALSE(PresetLayout(presets, {"Register", 5, 1}, false, false, {}));
    EXPECT_FALSE(PresetLayout(presets, {"register", 5, 0}, false, false, {}));
}

TEST(DynTextRules, ABitKeepsTwoRowsOfZeroAndOne)
{
    const auto entries = BitTypeEntries({{"off", "7"}, {"on", ""}, {"z", "3"}});
    EXPECT_EQ(entries, (std::vector<DynTextEntry>{{"off", "0"}, {"on", "1"}, {"", ""}}));
    EXPECT_EQ(BitTypeEntries({{"x", "7"}}), (std::vector<DynTextEntry>{{"x", "0"}}));
}

TEST(DynTextRules, PressesPrepareTheRowsTheyEdit)
{
    // A word: a value cell gives every row up to it an entry.
    std::vector<DynTextEntry> word = Texts({"a", "b"});
    EXPECT_TRUE(PrepareCellEdit(word, 16, 5, ValueColumn));
    EXPECT_EQ(word.size(), 6u);
    EXPECT_EQ(word[5], DynTextEntry{});
    // The text of a row without a value is not edited.
    EXPECT_FALSE(PrepareCellEdit(word, 16, 5, TextColumn));
    EXPECT_FALSE(PrepareCellEdit(word, 16, 9, TextColumn));
    EXPECT_TRUE(PrepareCellEdit(word, 16, 1, TextColumn));
    EXPECT_FALSE(PrepareCellEdit(word, 16, kDynTextGridRows, ValueColumn));
    EXPECT_EQ(word.size(), 6u);

    // A bit: only the texts of rows 0 and 1; row 1 follows row 0's value.
    std::vector<DynTextEntry> bit{{"off", "0"}};
    EXPECT_FALSE(PrepareCellEdit(bit, 0, 0, ValueColumn));
    EXPECT_FALSE(PrepareCellEdit(bit, 0, 2, TextColumn));
    EXPECT_TRUE(PrepareCellEdit(bit, 0, 1, TextColumn));
    EXPECT_EQ(bit, (std::vector<DynTextEntry>{{"off", "0"}, {"", "1"}}));
    std::vector<DynTextEntry> none;
    EXPECT_TRUE(PrepareCellEdit(none, 0, 1, TextColumn));
    EXPECT_EQ(none, (std::vector<DynTextEntry>{{"", ""}, {"", "1"}}));
}
