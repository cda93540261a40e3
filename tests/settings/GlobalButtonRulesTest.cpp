#include "settings/GlobalButtonRules.h"

#include <gtest/gtest.h>

namespace {

// A button of `function` on one 16-bit register (bits 16) or two (bits 32),
// in `format`.
GlobalButton Button(int function, NumberFormat format, int bits)
{
    GlobalButton button;
    SetButtonFunction(button, function);
    button.ElementType = 16;
    button.RegisterCount = bits == 16 ? 1 : 2;
    button.DisplayFormat = static_cast<std::uint8_t>(format);
    return button;
}

const NumberFormat Hex = NumberFormat::Hex;
const NumberFormat Unsigned = NumberFormat::Unsigned;
const NumberFormat Signed = NumberFormat::Signed;

} // namespace

TEST(GlobalButtonRules, TypedValuesAreJudgedByFormatAndWidth)
{
    struct Case {
        NumberFormat format;
        int bits;
        const char* text;
        bool accepted;
        int stored; // the field after an accepted text
    };
    const Case cases[] = {
        {Hex, 16, "FFFF", true, 0xFFFF},
        {Hex, 16, "ffff", true, 0xFFFF},
        {Hex, 16, "1FFFF", false, 0},
        {Hex, 16, "0000FFFF", true, 0xFFFF},   // leading zeros count as characters only
        {Hex, 32, "FFFFFFFF", true, -1},
        {Hex, 32, "00FFFFFFFF", true, -1},     // ten characters
        {Hex, 32, "000FFFFFFFF", false, 0},
        {Hex, 32, "100000000", false, 0},
        {Hex, 16, "FG", false, 0},
        {Hex, 16, "-1", false, 0},
        {Unsigned, 16, "65535", true, 65535},
        {Unsigned, 16, "65536", false, 0},
        {Unsigned, 32, "65536", true, 65536},
        {Unsigned, 32, "4294967295", true, -1},
        {Unsigned, 32, "4294967296", false, 0}, // no wrap to 0
        {Unsigned, 32, "99999999999", false, 0},
        {Unsigned, 16, "12a", false, 0},
        {Signed, 16, "-32768", true, -32768},
        {Signed, 16, "-32769", false, 0},
        {Signed, 16, "32767", true, 32767},
        {Signed, 16, "32768", false, 0},
        {Signed, 32, "2147483647", true, 2147483647},
        {Signed, 32, "2147483648", false, 0},
        {Signed, 32, "-2147483648", true, -2147483647 - 1},
        {Signed, 32, "-2147483649", false, 0},
        {Signed, 16, "-", true, 0},
        {Signed, 16, "", true, 0},
        {Signed, 16, "--1", false, 0},
        {Signed, 16, "1-", false, 0},
    };
    for (const Case& c : cases) {
        GlobalButton button = Button(SetRegisterFunction, c.format, c.bits);
        button.Value = 7;
        EXPECT_EQ(EditButtonValue(button, ValueBox::Value, c.text), c.accepted)
            << int(c.format) << "/" << c.bits << " " << c.text;
        EXPECT_EQ(button.Value, c.accepted ? c.stored : 7) << int(c.format) << "/" << c.bits << " " << c.text;
    }
}

TEST(GlobalButtonRules, StepMustBeANumberAboveZero)
{
    for (const char* refused : {"", "0", "00", "-1", "-"}) {
        GlobalButton button = Button(IncrementFunction, Signed, 16);
        button.Step = 5;
        EXPECT_FALSE(EditButtonValue(button, ValueBox::Step, refused)) << refused;
        EXPECT_EQ(button.Step, 5);
    }
    GlobalButton button = Button(IncrementFunction, Unsigned, 16);
    EXPECT_TRUE(EditButtonValue(button, ValueBox::Step, "1"));
    EXPECT_EQ(button.Step, 1);
    EXPECT_TRUE(EditButtonValue(button, ValueBox::Step, "007"));
    EXPECT_EQ(button.Step, 7);
    // The limit may be 0 and is stored as typed.
    EXPECT_TRUE(EditButtonValue(button, ValueBox::Limit, "0"));
    EXPECT_EQ(button.Limit, 0);
}

TEST(GlobalButtonRules, FormatChangesKeepTheSixteenBitPattern)
{
    struct Case {
        NumberFormat from;
        NumberFormat to;
        int bits;
        int value;
        const char* shown;
    };
    const Case cases[] = {
        {Hex, Signed, 16, 0xFFFF, "-1"},
        {Hex, Signed, 16, 0x7FFF, "32767"},
        {Signed, Hex, 16, -5, "FFFB"},
        {Signed, Hex, 32, -5, "0"},
        {Signed, Unsigned, 16, -5, "0"},
        {Signed, Unsigned, 32, -1, "0"},
        {Unsigned, Signed, 16, 65535, "32767"},
        {Unsigned, Signed, 32, -1, "2147483647"}, // 4294967295
        {Hex, Signed, 32, -1, "2147483647"},
        {Hex, Unsigned, 16, 0xABCD, "43981"},
        {Unsigned, Hex, 32, 65536, "10000"},
    };
    for (const Case& c : cases) {
        GlobalButton button = Button(SetRegisterFunction, c.from, c.bits);
        button.Value = c.value;
        button.Limit = 123;
        ConvertButtonFormat(button, c.to);
        EXPECT_EQ(ButtonValueText(button, ValueBox::Value), c.shown) << int(c.from) << "->" << int(c.to);
        EXPECT_EQ(button.DisplayFormat, static_cast<int>(c.to));
        // What is shown is what is stored: showing it again reads the same.
        GlobalButton reread = button;
        ASSERT_TRUE(EditButtonValue(reread, ValueBox::Value, c.shown)) << c.shown;
        EXPECT_EQ(ButtonValueText(reread, ValueBox::Value), c.shown);
        // Set register: the limit goes to the bottom of the new range.
        EXPECT_EQ(button.Limit, ValueField(ValueRange(c.to, c.bits).min));
    }
}

TEST(GlobalButtonRules, FormatChangeResetsTheLimitAndGivesNegativeStepsOne)
{
    GlobalButton increment = Button(IncrementFunction, Signed, 16);
    increment.Step = -3;
    ConvertButtonFormat(increment, Unsigned);
    EXPECT_EQ(increment.Step, 1);
    EXPECT_EQ(ButtonValueText(increment, ValueBox::Limit), "65535");
    ConvertButtonFormat(increment, Hex);
    EXPECT_EQ(ButtonValueText(increment, ValueBox::Limit), "FFFF");
    ConvertButtonFormat(increment, Signed);
    EXPECT_EQ(ButtonValueText(increment, ValueBox::Limit), "32767");

    GlobalButton decrement = Button(DecrementFunction, Unsigned, 32);
    ConvertButtonFormat(decrement, Signed);
    EXPECT_EQ(ButtonValueText(decrement, ValueBox::Limit), "-2147483648");
    ConvertButtonFormat(decrement, Hex);
    EXPECT_EQ(ButtonValueText(decrement, ValueBox::Limit), "0");
}

TEST(GlobalButtonRules, AdjustRangeClampsSixteenBitValuesAndResetsTheLimit)
{
    struct Case {
        int function;
        NumberFormat format;
        int bits;
        int value, step;
        int value16, step16; // after the adjustment
        const char* limit;
    };
    const Case cases[] = {
        {IncrementFunction, Signed, 16, 40000, 5, 32767, 5, "32767"},
        {DecrementFunction, Signed, 16, -40000, 40000, -32768, 32767, "-32768"},
        {IncrementFunction, Unsigned, 16, 70000, -1, 65535, 65535, "65535"},
        {DecrementFunction, Unsigned, 16, 12, 3, 12, 3, "0"},
        {IncrementFunction, Hex, 16, -5, 2, 65535, 2, "FFFF"},
        {DecrementFunction, Hex, 16, 1, 1, 1, 1, "0"},
        {IncrementFunction, Unsigned, 32, 70000, 70000, 70000, 70000, "4294967295"},
        {DecrementFunction, Signed, 32, -40000, 9, -40000, 9, "-2147483648"},
        {IncrementFunction, Signed, 32, 0, 1, 0, 1, "2147483647"},
        {SetRegisterFunction, Signed, 16, 0, 1, 0, 1, "-32768"},
    };
    for (const Case& c : cases) {
        GlobalButton button = Button(c.function, c.format, c.bits);
        button.Value = c.value;
        button.Step = c.step;
        button.Limit = 77;
        AdjustButtonRange(button);
        EXPECT_EQ(button.Value, c.value16) << c.function << " " << int(c.format) << "/" << c.bits;
        EXPECT_EQ(button.Step, c.step16) << c.function << " " << int(c.format) << "/" << c.bits;
        EXPECT_EQ(ButtonValueText(button, ValueBox::Limit), c.limit);
    }
}

TEST(GlobalButtonRules, SpinArrowsStayInTheRange)
{
    GlobalButton button = Button(IncrementFunction, Signed, 16);
    EXPECT_EQ(SpinButtonText(button, ValueBox::Value, "32767", +1), std::nullopt);
    EXPECT_EQ(SpinButtonText(button, ValueBox::Value, "32766", +1), "32767");
    EXPECT_EQ(SpinButtonText(button, ValueBox::Value, "-32768", -1), std::nullopt);
    EXPECT_EQ(SpinButtonText(button, ValueBox::Value, "-", -1), "-1");
    EXPECT_EQ(SpinButtonText(button, ValueBox::Limit, "0", -1), "-1");
    EXPECT_EQ(SpinButtonText(button, ValueBox::Step, "1", -1), std::nullopt);
    EXPECT_EQ(SpinButtonText(button, ValueBox::Step, "0", +1), std::nullopt);
    EXPECT_EQ(SpinButtonText(button, ValueBox::Step, "2", -1), "1");

    GlobalButton hex = Button(SetRegisterFunction, Hex, 16);
    EXPECT_EQ(SpinButtonText(hex, ValueBox::Value, "FFFF", +1), std::nullopt);
    EXPECT_EQ(SpinButtonText(hex, ValueBox::Value, "9", +1), "A");
    GlobalButton wide = Button(SetRegisterFunction, Unsigned, 32);
    EXPECT_EQ(SpinButtonText(wide, ValueBox::Value, "4294967294", +1), "4294967295");
    EXPECT_EQ(SpinButtonText(wide, ValueBox::Value, "4294967295", +1), std::nullopt);
}

TEST(GlobalButtonRules, RegisterCountIsOneOrTwoWithTheNextWord)
{
    EXPECT_EQ(ParseRegisterCount("1", 16, false), 1);
    EXPECT_EQ(ParseRegisterCount("2", 16, true), 2);
    EXPECT_EQ(ParseRegisterCount("02", 16, true), 2);
    EXPECT_EQ(ParseRegisterCount("2", 16, false), std::nullopt);
    EXPECT_EQ(ParseRegisterCount("2", 32, true), std::nullopt);
    for (const char* refused : {"", "0", "3", "12", "1a", " 1", "-1", "99999999999999999999"})
        EXPECT_EQ(ParseRegisterCount(refused, 16, true), std::nullopt) << refused;

    // With two registers the values are 32 bits wide.
    GlobalButton button = Button(SetRegisterFunction, Unsigned, 16);
    EXPECT_FALSE(EditButtonValue(button, ValueBox::Value, "4294967295"));
    button.RegisterCount = 2;
    EXPECT_TRUE(EditButtonValue(button, ValueBox::Value, "4294967295"));
    EXPECT_EQ(ButtonValueText(button, ValueBox::Value), "4294967295");
}

TEST(GlobalButtonRules, FunctionAndCoilActionShareTheirByte)
{
    GlobalButton button; // set coil, ON
    EXPECT_EQ(ButtonFunction(button), SetCoilFunction);
    EXPECT_EQ(ButtonCoilAction(button), 0);
    SetButtonCoilAction(button, 4);
    SetButtonFunction(button, DecrementFunction);
    EXPECT_EQ(button.Function, 0x80 | 0x10);
    EXPECT_EQ(ButtonCoilAction(button), 4);
    SetButtonFunction(button, SetCoilFunction);
    EXPECT_EQ(ButtonCoilAction(button), 4);
}

TEST(GlobalButtonRules, StationZeroOnlyWhereTheDeviceTakesIt)
{
    struct Case {
        int function, coilAction, groupMode, lowest;
    };
    const Case cases[] = {
        {SetRegisterFunction, 0, 1, 0},
        {SetCoilFunction, 0, 1, 0},
        {SetCoilFunction, 4, 1, 0},
        {SetCoilFunction, 2, 1, 1}, // toggle
        {IncrementFunction, 0, 1, 1},
        {DecrementFunction, 0, 1, 1},
        {SetRegisterFunction, 0, 0, 1},
        {SetCoilFunction, 0, 2, 1},
        {SetRegisterFunction, 0, -1, 1}, // no such group
    };
    for (const Case& c : cases) {
        GlobalButton button;
        SetButtonFunction(button, c.function);
        SetButtonCoilAction(button, c.coilAction);
        EXPECT_EQ(ButtonLowestStation(button, c.groupMode), c.lowest)
            << c.function << " " << c.coilAction << " " << c.groupMode;
    }
}
