#include "model/elements/RegisterEntry.h"

#include <gtest/gtest.h>

namespace {

RegisterFormat Format(int digits, int decimals, bool isSigned, bool hexBcd = false)
{
    RegisterFormat f;
    f.digits = digits;
    f.decimals = decimals;
    f.isSigned = isSigned;
    f.hexBcd = hexBcd;
    return f;
}

struct TypeCase {
    const char* text;
    int cursor;
    char digit;
    RegisterFormat format;
    const char* expected;
};

}  // namespace

TEST(RegisterEntry, TypeDigitOverwritesOrShiftsIn)
{
    const TypeCase cases[] = {
        {"+012.34", 0, '7', Format(5, 2, true), "+123.47"},
        {"+012.34", 1, '7', Format(5, 2, true), "+012.74"},
        {"+012.34", 3, '9', Format(5, 2, true), "+019.34"},
        {"01234", 0, '5', Format(5, 0, false), "12345"},
        {"-00100", 0, '1', Format(5, 0, true), "-01001"},
        {"0.1234", 0, '9', Format(4, 4, false), "0.2349"},
        {"001A", 0, 'F', Format(4, 0, false, true), "01AF"},
        {"001A", 2, 'B', Format(4, 0, false, true), "0B1A"},
        {"", 0, '1', Format(5, 0, false), ""},
        // Cursors outside the text change nothing.
        {"01234", 5, '9', Format(5, 0, false), "01234"},
        {"01234", 40, '9', Format(5, 0, false), "01234"},
        {"01234", -1, '9', Format(5, 0, false), "01234"},
    };
    for (const TypeCase& c : cases) {
        std::string text = c.text;
        RegisterEntry::TypeDigit(text, c.cursor, c.digit, c.format);
        EXPECT_EQ(text, c.expected) << c.text << " cursor " << c.cursor;
    }
}

TEST(RegisterEntry, TypeDigitOnAShortTextStaysInside)
{
    std::string text = "+5";
    RegisterEntry::TypeDigit(text, 0, '7', Format(5, 2, true));
    EXPECT_EQ(text, "+000.57");
}

TEST(RegisterEntry, ClearKeepsPointAndSign)
{
    std::string text = "-123.45";
    RegisterEntry::ClearEntry(text, Format(5, 2, true));
    EXPECT_EQ(text, "-000.00");
    text = "0.1234";
    RegisterEntry::ClearEntry(text, Format(4, 4, false));
    EXPECT_EQ(text, "0.0000");
    text = "00AF";
    RegisterEntry::ClearEntry(text, Format(4, 0, false, true));
    EXPECT_EQ(text, "0000");
}

TEST(RegisterEntry, StepsDigitsWithWrapAround)
{
    const struct {
        const char* text;
        int cursor;
        bool up;
        bool hex;
        const char* expected;
    } cases[] = {
        {"01239", 0, true, false, "01230"}, {"01230", 0, false, false, "01239"}, {"01234", 1, true, false, "01244"},
        {"0009", 0, true, true, "000A"},    {"000F", 0, true, true, "0000"},    {"000A", 0, false, true, "0009"},
        {"0000", 0, false, true, "000F"},   {"0004", 3, true, true, "1004"},    {"0004", 4, true, true, "0004"},
        {"0004", -2, false, true, "0004"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        const RegisterFormat f = Format(4, 0, false, c.hex);
        if (c.up)
            RegisterEntry::IncrementDigit(text, c.cursor, f);
        else
            RegisterEntry::DecrementDigit(text, c.cursor, f);
        EXPECT_EQ(text, c.expected) << c.text << " cursor " << c.cursor;
    }
}

TEST(RegisterEntry, ToggleSignOnlyForSignedDecimal)
{
    std::string text = "+012.34";
    RegisterEntry::ToggleSign(text, Format(5, 2, true));
    EXPECT_EQ(text, "-012.34");
    RegisterEntry::ToggleSign(text, Format(5, 2, true));
    EXPECT_EQ(text, "+012.34");
    text = "01234";
    RegisterEntry::ToggleSign(text, Format(5, 0, false));
    EXPECT_EQ(text, "01234");
    text.clear();
    RegisterEntry::ToggleSign(text, Format(5, 0, true));
    EXPECT_EQ(text, "");
}

TEST(RegisterEntry, CursorStepsOverThePointAndStopsAtTheEnds)
{
    const RegisterFormat f = Format(5, 2, true);
    int cursor = 1;
    RegisterEntry::MoveCursorLeft(cursor, f);
    EXPECT_EQ(cursor, 3);
    RegisterEntry::MoveCursorLeft(cursor, f);
    RegisterEntry::MoveCursorLeft(cursor, f);
    EXPECT_EQ(cursor, 5);
    RegisterEntry::MoveCursorLeft(cursor, f);
    EXPECT_EQ(cursor, 5);
    RegisterEntry::MoveCursorRight(cursor, f);
    RegisterEntry::MoveCursorRight(cursor, f);
    EXPECT_EQ(cursor, 3);
    RegisterEntry::MoveCursorRight(cursor, f);
    EXPECT_EQ(cursor, 1);
    RegisterEntry::MoveCursorRight(cursor, f);
    RegisterEntry::MoveCursorRight(cursor, f);
    EXPECT_EQ(cursor, 0);

    // Without a point inside the text the highest position is digits - 1.
    const RegisterFormat plain = Format(3, 0, false);
    cursor = 0;
    for (int i = 0; i < 5; ++i)
        RegisterEntry::MoveCursorLeft(cursor, plain);
    EXPECT_EQ(cursor, 2);
    const RegisterFormat allDecimals = Format(3, 3, false);
    cursor = 0;
    for (int i = 0; i < 5; ++i)
        RegisterEntry::MoveCursorLeft(cursor, allDecimals);
    EXPECT_EQ(cursor, 2);
}
