#include "base/GbkText.h"
#include "devices/PresetTextEdit.h"
#include "devices/PresetTextFile.h"
#include "support/TableGroups.h"

#include <gtest/gtest.h>

namespace {

constexpr auto Hex = NumberFormat::Hex;
constexpr auto Unsigned = NumberFormat::Unsigned;
constexpr auto Signed = NumberFormat::Signed;

// "X" is a word.bit group in which X0 and XA name the same bit; "D" a
// 16-bit group in which D0 and DD share word 0.
AddressTable Table()
{
    return {MakeGroup("X", 0, 0, {{"X0", 0x10, 3}, {"XA", 0x10, 3}, {"X1", 0x10, 4}}),
            MakeGroup("D", 16, 2, {{"D0", 0, 0}, {"DD", 0, 0}, {"D1", 1, 0}})};
}

std::optional<PresetTextKey> KeyOf(const std::string& group, const std::string& element)
{
    return PresetTextKeyOf(Table(), group, element);
}

} // namespace

TEST(PresetTextEdit, KeyIsGroupWordAndBitOfTheElement)
{
    const auto bit = KeyOf("X", "X1");
    ASSERT_TRUE(bit);
    EXPECT_EQ(bit->address, 0x10);
    EXPECT_EQ(bit->bit, 4);
    // Word groups of mode 2 are word.bit groups too, yet their elements have bit 0.
    EXPECT_EQ(KeyOf("D", "D1")->bit, 0);
    EXPECT_FALSE(KeyOf("D", ""));
    EXPECT_FALSE(KeyOf("", "D0"));
    EXPECT_FALSE(KeyOf("D", "D9"));
}

TEST(PresetTextEdit, StoreRulesByTable)
{
    struct Case {
        const char* what;
        std::vector<PresetTextRow> rows;
        NumberFormat typedIn;
        std::vector<std::pair<int, std::string>> pairs; // empty: no preset
    };
    const std::vector<Case> cases = {
        {"complete rows in grid order", {{"1", "a"}, {"2", "b"}}, Unsigned, {{1, "a"}, {2, "b"}}},
        {"a value without text and a text without value are dropped",
         {{"1", ""}, {"", "b"}, {"3", "c"}}, Unsigned, {{3, "c"}}},
        {"no complete row: no preset", {{"1", ""}, {"", "b"}}, Unsigned, {}},
        {"read in the format typed in", {{"1A", "a"}, {"FFFF", "b"}}, Hex, {{26, "a"}, {0xFFFF, "b"}}},
        {"signed values keep their low 16 bits", {{"-1", "a"}, {"-", "b"}}, Signed, {{0xFFFF, "a"}, {0, "b"}}},
    };
    for (const Case& c : cases) {
        std::vector<PresetText> presets;
        StorePresetTextRows(presets, KeyOf("D", "D1"), 1, c.rows, c.typedIn);
        if (c.pairs.empty()) {
            EXPECT_TRUE(presets.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(presets.size(), 1u) << c.what;
        const PresetText& p = presets[0];
        EXPECT_EQ(p.GroupName, "D");
        EXPECT_EQ(p.Address, 1);
        EXPECT_EQ(p.ValueType, 1);
        ASSERT_EQ(p.Pairs.size(), c.pairs.size()) << c.what;
        for (std::size_t k = 0; k < c.pairs.size(); ++k) {
            EXPECT_EQ(p.Pairs[k].Value, c.pairs[k].first) << c.what;
            EXPECT_EQ(p.Pairs[k].Text, c.pairs[k].second) << c.what;
        }
    }
}

TEST(PresetTextEdit, StoringReplacesTheFirstRecordAndEmptyingRemovesIt)
{
    std::vector<PresetText> presets;
    StorePresetTextRows(presets, KeyOf("D", "D0"), 1, {{"1", "one"}, {"2", "two"}}, Unsigned);
    StorePresetTextRows(presets, KeyOf("D", "D1"), 2, {{"5", "five"}}, Unsigned);
    StorePresetTextRows(presets, KeyOf("D", "D0"), 0, {{"7", "seven"}}, Unsigned);
    ASSERT_EQ(presets.size(), 2u);
    EXPECT_EQ(presets[0].ValueType, 0);
    // No pair of the longer old table is left behind.
    EXPECT_EQ(presets[0].Pairs, (std::vector<PresetTextPair>{{7, "seven"}}));

    StorePresetTextRows(presets, KeyOf("D", "D0"), 1, {{"", ""}, {"3", ""}}, Unsigned);
    ASSERT_EQ(presets.size(), 1u);
    EXPECT_EQ(presets[0].Address, 1);

    // Without a key (no element chosen) nothing is stored.
    StorePresetTextRows(presets, std::nullopt, 1, {{"1", "x"}}, Unsigned);
    EXPECT_EQ(presets.size(), 1u);
}

TEST(PresetTextEdit, NamesOfOneWordAndBitShareOnePreset)
{
    std::vector<PresetText> presets;
    StorePresetTextRows(presets, KeyOf("X", "X0"), 1, {{"0", "off"}, {"1", "on"}}, Unsigned);
    StorePresetTextRows(presets, KeyOf("X", "XA"), 1, {{"0", "closed"}, {"1", "open"}}, Unsigned);
    ASSERT_EQ(presets.size(), 1u);
    EXPECT_EQ(FindShownPresetText(presets, KeyOf("X", "X0"))->Pairs.at(0).Text, "closed");
    EXPECT_EQ(FindShownPresetText(presets, KeyOf("X", "X1")), nullptr); // another bit of the word

    StorePresetTextRows(presets, KeyOf("D", "DD"), 1, {{"9", "nine"}}, Unsigned);
    EXPECT_EQ(FindShownPresetText(presets, KeyOf("D", "D0"))->Pairs.at(0).Text, "nine");
}

TEST(PresetTextEdit, TheLastRecordOfAnIdentityIsShown)
{
    // A file may repeat an identity; the dialog shows the last and stores into the first.
    PresetText first;
    first.GroupName = "D";
    first.Pairs = {{0, "first"}};
    PresetText last = first;
    last.Pairs = {{0, "last"}};
    std::vector<PresetText> presets{first, last};
    EXPECT_EQ(FindShownPresetText(presets, KeyOf("D", "D0"))->Pairs.at(0).Text, "last");
    StorePresetTextRows(presets, KeyOf("D", "D0"), 1, {{"1", "stored"}}, Unsigned);
    EXPECT_EQ(presets[0].Pairs.at(0).Text, "stored");
    EXPECT_EQ(presets[1].Pairs.at(0).Text, "last");
}

TEST(PresetTextEdit, RowsShowTheLow16BitsInTheChosenFormat)
{
    PresetText p;
    p.Pairs = {{-1, "minus one"}, {0x1A, "x"}};
    const auto shown = [&](NumberFormat format) {
        std::vector<std::string> values;
        for (const PresetTextRow& row : PresetTextRows(p, format))
            values.push_back(row.value);
        return values;
    };
    EXPECT_EQ(shown(Signed), (std::vector<std::string>{"-1", "26"}));
    EXPECT_EQ(shown(Hex), (std::vector<std::string>{"FFFF", "1A"}));
    EXPECT_EQ(shown(Unsigned), (std::vector<std::string>{"65535", "26"}));
    EXPECT_EQ(PresetTextRows(p, Hex)[0].text, "minus one");
}

TEST(PresetTextEdit, TypedValuesAreCheckedInTheir16BitRange)
{
    struct Case {
        const char* text;
        NumberFormat format;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"", Unsigned, 0}, {"-", Signed, 0}, {"-", Unsigned, std::nullopt},
        {"65535", Unsigned, 65535}, {"65536", Unsigned, std::nullopt},
        {"32767", Signed, 32767}, {"-32768", Signed, -32768}, {"32768", Signed, std::nullopt},
        {"FFFF", Hex, 0xFFFF}, {"ffff", Hex, 0xFFFF}, {"1FFFF", Hex, std::nullopt},
        // More than four HEX digits never wrap round to a small value.
        {"100000000", Hex, std::nullopt}, {"00001", Hex, std::nullopt}, {"G", Hex, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParsePresetTextValue(c.text, c.format), c.value) << c.text;
}

TEST(PresetTextEdit, TextsHoldTwentyFourBytes)
{
    EXPECT_TRUE(FitsPresetText(GbkFromUtf8("一二三四五六七八九十一二")));
    EXPECT_FALSE(FitsPresetText(GbkFromUtf8("一二三四五六七八九十一二") + "x"));
}

TEST(PresetTextEdit, StoredRecordsEqualWhatTheirFileGivesBack)
{
    std::vector<PresetText> presets;
    StorePresetTextRows(presets, KeyOf("X", "X1"), 2, {{"0", "a"}, {"1", "b"}}, Signed);
    StorePresetTextRows(presets, KeyOf("D", "D0"), 2, {{"-5", GbkFromUtf8("负五")}, {"7", "c"}}, Signed);
    StorePresetTextRows(presets, KeyOf("D", "D0"), 2, {{"-6", "d"}}, Signed);
    EXPECT_EQ(ParsePresetTexts(FormatPresetTexts(presets)), presets);
}
