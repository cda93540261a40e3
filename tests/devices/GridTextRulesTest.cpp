#include "devices/GridTextRules.h"

#include <gtest/gtest.h>

namespace {

struct FilterCase {
    ValueFilter filter;
    const char* typed;
    const char* saved;
    bool refused;
    const char* text; // reported text, or the fallback when refused
};

TEST(GridTextRules, ValueFiltersReportOrFallBack)
{
    const FilterCase cases[] = {
        {ValueFilter::AnyText, "12a-", "5", false, "12a-"},
        {ValueFilter::DecimalDigits, "", "5", false, ""},
        {ValueFilter::DecimalDigits, "0123", "5", false, "0123"},
        {ValueFilter::DecimalDigits, "12a", "5", true, "5"},
        {ValueFilter::DecimalDigits, "-5", "5", true, "5"},
        {ValueFilter::SignedDecimal, "-5", "7", false, "-5"},
        {ValueFilter::SignedDecimal, "-", "7", false, "-"},
        {ValueFilter::SignedDecimal, "5-", "7", true, "7"},
        {ValueFilter::SignedDecimal, "--5", "7", true, "7"},
        {ValueFilter::HexDigits, "1f", "0", false, "1F"},
        {ValueFilter::HexDigits, "aBc0", "0", false, "ABC0"},
        // A refused hexadecimal character falls back to the saved decimal
        // value written in hexadecimal (its low 16 bits).
        {ValueFilter::HexDigits, "1g", "26", true, "1A"},
        {ValueFilter::HexDigits, "x", "-1", true, "FFFF"},
        {ValueFilter::HexDigits, "x", "", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("typed ") + c.typed + " filter " + std::to_string(static_cast<int>(c.filter)));
        const auto result = FilterValueText(c.filter, c.typed, c.saved);
        EXPECT_EQ(result.refused, c.refused);
        EXPECT_EQ(result.text, c.text);
    }
}

TEST(GridTextRules, DoubleByteTextPassesTheFreeFilterUnchanged)
{
    // "数值": the second byte of each character is not an ASCII letter here,
    // but the free filter must not look at the bytes at all.
    const std::string gbk = "\xca\xfd\xd6\xb5";
    EXPECT_EQ(FilterValueText(ValueFilter::AnyText, gbk, "").text, gbk);
    EXPECT_TRUE(FilterValueText(ValueFilter::DecimalDigits, gbk, "0").refused);
}

struct NormaliseCase {
    ValueFilter filter;
    const char* text;
    const char* committed;
};

TEST(GridTextRules, CommittedValuesAreNormalisedOnlyWhenNumeric)
{
    const NormaliseCase cases[] = {
        {ValueFilter::DecimalDigits, "007", "7"},
        {ValueFilter::DecimalDigits, "000", "0"},
        {ValueFilter::DecimalDigits, "0", "0"},
        {ValueFilter::DecimalDigits, "", ""},
        {ValueFilter::DecimalDigits, "120", "120"},
        {ValueFilter::SignedDecimal, "-05", "-5"},
        {ValueFilter::SignedDecimal, "-0", "0"},
        {ValueFilter::SignedDecimal, "-", "-"},
        {ValueFilter::HexDigits, "00ff", "FF"},
        {ValueFilter::HexDigits, "0000", "0"},
        // Eight zeros after a digit are not zero, however a 32-bit reading
        // would truncate them.
        {ValueFilter::HexDigits, "100000000", "100000000"},
        // A text that is not a number of the filter's base is never replaced.
        {ValueFilter::AnyText, "abc", "abc"},
        {ValueFilter::AnyText, "0abc", "0abc"},
        {ValueFilter::AnyText, "007", "7"},
        {ValueFilter::DecimalDigits, "1f", "1f"},
        {ValueFilter::HexDigits, "0g", "0g"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text ") + c.text);
        EXPECT_EQ(NormaliseCommittedValue(c.filter, c.text), c.committed);
    }
}

TEST(GridTextRules, AddressTextsOfBitAndWordGroups)
{
    struct Case {
        bool wordOnly;
        const char* typed;
        const char* accepted; // nullptr when refused
    };
    const Case cases[] = {
        {false, "1A.F", "1A.F"},
        {false, "1a.f", "1A.F"},
        {false, "FFFF.F", "FFFF.F"},
        {false, "1234", "1234"},
        {false, "1234.", "1234."},
        {false, "", ""},
        {false, "1A.F0", nullptr},
        {false, ".1", nullptr},
        {false, "1A.B.C", nullptr},
        {false, "1A..", nullptr},
        {false, "12345", nullptr},
        {false, "12345.", nullptr},
        {false, "FFFFF.1", nullptr},
        {false, "1G", nullptr},
        {true, "ffff", "FFFF"},
        {true, "", ""},
        {true, "12345", nullptr},
        {true, "1.2", nullptr},
        {true, "G", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.wordOnly ? "word " : "bit ") + c.typed);
        const auto result = FilterAddressText(c.wordOnly, c.typed);
        if (c.accepted) {
            ASSERT_TRUE(result.has_value());
            EXPECT_EQ(*result, c.accepted);
        } else {
            EXPECT_FALSE(result.has_value());
        }
    }
}

TEST(GridTextRules, RepeatedTexts)
{
    EXPECT_FALSE(HasRepeatedText({"0", "1", "", "", "2"}));
    EXPECT_TRUE(HasRepeatedText({"5", "1", "", "5"}));
    EXPECT_FALSE(HasRepeatedText({}));

    const std::vector<std::string> names = {"X0", "X1", "", ""};
    EXPECT_TRUE(IsHeldByOtherRow(names, 3, "X0"));
    EXPECT_FALSE(IsHeldByOtherRow(names, 0, "X0"));
    EXPECT_FALSE(IsHeldByOtherRow(names, 2, ""));
    EXPECT_FALSE(IsHeldByOtherRow(names, 3, "x0"));
}

TEST(GridTextRules, TenRowsFollowTheLastNamedRow)
{
    auto rows = [](int count, std::initializer_list<int> named) {
        std::vector<bool> flags(count, false);
        for (int row : named)
            flags[row] = true;
        return flags;
    };
    // A new group: ten empty rows, a name typed into row 0.
    EXPECT_EQ(TrailingRowsToAppend(rows(10, {0})), 1);
    // A name typed into the first of the ten trailing rows.
    EXPECT_EQ(TrailingRowsToAppend(rows(15, {0, 1, 2, 3, 4})), 0);
    EXPECT_EQ(TrailingRowsToAppend(rows(15, {0, 1, 2, 3, 4, 5})), 1);
    EXPECT_EQ(TrailingRowsToAppend(rows(15, {14})), 10);
    // Only the last ten rows count; none named there means row 0.
    EXPECT_EQ(TrailingRowsToAppend(rows(30, {3})), 0);
    EXPECT_EQ(TrailingRowsToAppend(rows(0, {})), 11);
}

TEST(GridTextRules, TrimBlanks)
{
    EXPECT_EQ(TrimBlanks("  X1 \t"), "X1");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks("A B"), "A B");
}

} // namespace
