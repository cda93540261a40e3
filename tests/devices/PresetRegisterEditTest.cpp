#include "devices/PresetRegisterEdit.h"
#include "devices/PresetRegisterFile.h"

#include <gtest/gtest.h>

namespace {

constexpr auto Hex = NumberFormat::Hex;
constexpr auto Unsigned = NumberFormat::Unsigned;
constexpr auto Signed = NumberFormat::Signed;
constexpr std::optional<std::int64_t> Refused;

PresetRegisterValues Values(int elementType, int count, NumberFormat type, int digits, int decimals,
    std::array<std::int64_t, 4> limits)
{
    PresetRegisterValues v;
    v.elementType = elementType;
    v.registerCount = count;
    v.valueType = type;
    v.digits = digits;
    v.decimals = decimals;
    v.limits = limits;
    return v;
}

// The parts a preset stored for `values` carries; -1 when none is stored.
int StoredParts(const PresetRegisterValues& values)
{
    std::vector<PresetRegister> presets;
    StorePresetRegister(presets, "D", 4, values);
    return presets.empty() ? -1 : presets[0].Parts;
}

} // namespace

TEST(PresetRegisterEdit, APresetCarriesOnlyThePartsThatDifferFromTheDefaults)
{
    struct Case {
        const char* what;
        PresetRegisterValues values;
        int parts;
    };
    const Case cases[] = {
        {"16-bit unsigned defaults", Values(16, 1, Unsigned, 5, 0, {65535, 0, 65535, 0}), -1},
        {"16-bit signed 0..32767", Values(16, 1, Signed, 5, 0, {32767, 0, 32767, 0}), -1},
        {"the same limits unsigned", Values(16, 1, Unsigned, 5, 0, {32767, 0, 32767, 0}), 1},
        {"the same limits HEX", Values(16, 1, Hex, 4, 0, {32767, 0, 32767, 0}), 2},
        {"HEX default limits still carry digits", Values(16, 1, Hex, 4, 0, {65535, 0, 65535, 0}), 0},
        {"32-bit HEX", Values(32, 1, Hex, 8, 0, {0xFFFFFFFF, 0, 0xFFFFFFFF, 0}), 0},
        {"decimals", Values(16, 1, Unsigned, 5, 1, {65535, 0, 65535, 0}), 0},
        {"32-bit defaults", Values(32, 1, Unsigned, 10, 0, {0xFFFFFFFF, 0, 0xFFFFFFFF, 0}), -1},
        {"two registers, signed defaults", Values(16, 2, Signed, 10, 0, {2147483647, 0, 2147483647, 0}), -1},
        {"two registers with 16-bit digits", Values(16, 2, Unsigned, 5, 0, {0xFFFFFFFF, 0, 0xFFFFFFFF, 0}), 0},
        {"an engineering limit", Values(16, 1, Unsigned, 5, 0, {65535, 0, 100, 0}), 1},
        {"a lower limit above its upper limit", Values(16, 1, Signed, 3, 0, {-5, 10, 32767, 0}), 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StoredParts(c.values), c.parts) << c.what;
}

TEST(PresetRegisterEdit, StoringReplacesTheFirstPresetOfTheAddressAndDefaultsRemoveIt)
{
    std::vector<PresetRegister> presets;
    StorePresetRegister(presets, "D", 4, Values(16, 1, Unsigned, 3, 1, {65535, 0, 65535, 0}));
    StorePresetRegister(presets, "D", 5, Values(16, 1, Unsigned, 4, 0, {65535, 0, 65535, 0}));
    StorePresetRegister(presets, "E", 4, Values(16, 1, Unsigned, 4, 0, {65535, 0, 65535, 0}));
    StorePresetRegister(presets, "D", 4, Values(16, 1, Signed, 5, 0, {-10, -20, 32767, 0}));
    ASSERT_EQ(presets.size(), 3u);
    EXPECT_EQ(presets[0].Parts, 1);
    EXPECT_EQ(presets[0].ValueType, 2);
    EXPECT_EQ(presets[0].RawUpper, -10);
    EXPECT_EQ(presets[0].RawLower, -20);

    StorePresetRegister(presets, "D", 4, DefaultPresetValues(16));
    ASSERT_EQ(presets.size(), 2u);
    EXPECT_EQ(presets[0].WordAddress, 5);

    // No group, or an element the table lacks: nothing is stored.
    StorePresetRegister(presets, "", 4, Values(16, 1, Unsigned, 3, 0, {65535, 0, 65535, 0}));
    StorePresetRegister(presets, "D", -1, Values(16, 1, Unsigned, 3, 0, {65535, 0, 65535, 0}));
    EXPECT_EQ(presets.size(), 2u);
}

TEST(PresetRegisterEdit, EveryFieldOfAStoredPresetIsSetAsItsFileGivesItBack)
{
    std::vector<PresetRegister> presets;
    StorePresetRegister(presets, "D", 1, Values(16, 1, Signed, 4, 2, {-1, -32768, 300, 0}));
    StorePresetRegister(presets, "D", 2, Values(16, 1, Hex, 3, 0, {65535, 0, 65535, 0}));
    StorePresetRegister(presets, "D", 3, Values(16, 2, Unsigned, 10, 0, {4294967295, 7, 4294967295, 0}));
    // A preset that loses its ranges part keeps no limits of before.
    StorePresetRegister(presets, "D", 1, Values(16, 1, Unsigned, 4, 2, {65535, 0, 65535, 0}));
    EXPECT_EQ(ParsePresetRegisters(FormatPresetRegisters(presets)), presets);
    EXPECT_EQ(presets[0].RawUpper, PresetRegister{}.RawUpper);
    EXPECT_EQ(presets[2].RawUpper, -1); // 4294967295 keeps its bit pattern
}

TEST(PresetRegisterEdit, LoadingShowsThePresetOrTheDefaults)
{
    std::vector<PresetRegister> presets;
    StorePresetRegister(presets, "D", 4, Values(16, 1, Signed, 3, 1, {-1, -200, 100, 0}));
    const PresetRegisterValues shown = DefaultPresetValues(16);
    EXPECT_EQ(LoadPresetRegister(presets, "D", 4, shown), Values(16, 1, Signed, 3, 1, {-1, -200, 100, 0}));
    EXPECT_EQ(LoadPresetRegister(presets, "D", 5, shown), DefaultPresetValues(16));
    EXPECT_EQ(LoadPresetRegister(presets, "E", 4, shown), DefaultPresetValues(16));
    EXPECT_EQ(LoadPresetRegister(presets, "D", -1, shown), DefaultPresetValues(16));
    EXPECT_EQ(LoadPresetRegister(presets, "D", 5, DefaultPresetValues(32)), DefaultPresetValues(32));
}

TEST(PresetRegisterEdit, APartThePresetLacksComesFromTheDefaultsOrTheBoxes)
{
    PresetRegister digitsOnly;
    digitsOnly.Parts = 0;
    digitsOnly.GroupName = "D";
    digitsOnly.ValueType = 2;
    digitsOnly.Digits = 3;
    EXPECT_EQ(LoadPresetRegister({digitsOnly}, "D", 0, DefaultPresetValues(16)),
              Values(16, 1, Signed, 3, 0, {32767, 0, 32767, 0}));

    PresetRegister rangesOnly;
    rangesOnly.Parts = 1;
    rangesOnly.GroupName = "D";
    rangesOnly.ValueType = 0;
    rangesOnly.RawUpper = 0x100;
    // One 16-bit register keeps the digits the boxes had, within the HEX maximum.
    PresetRegisterValues shown = Values(16, 1, Unsigned, 3, 2, {65535, 0, 65535, 0});
    EXPECT_EQ(LoadPresetRegister({rangesOnly}, "D", 0, shown), Values(16, 1, Hex, 3, 0, {0x100, 0, 0, 0}));
    shown.digits = 5;
    EXPECT_EQ(LoadPresetRegister({rangesOnly}, "D", 0, shown).digits, 4);
    // A 32-bit value shows all its digits.
    EXPECT_EQ(LoadPresetRegister({rangesOnly}, "D", 0, Values(32, 1, Unsigned, 3, 2, {})).digits, 8);
}

TEST(PresetRegisterEdit, LoadingBringsAFilesValuesWithinReach)
{
    PresetRegister odd;
    odd.Parts = 2;
    odd.GroupName = "DW";
    odd.RegisterCount = 2; // two registers of a 32-bit element
    odd.ValueType = 2;
    odd.Digits = 12;
    odd.Decimals = 3;
    odd.RawUpper = -1; // signed 32-bit: -1 itself
    const PresetRegisterValues loaded = LoadPresetRegister({odd}, "DW", 0, DefaultPresetValues(32));
    EXPECT_EQ(loaded.registerCount, 1);
    EXPECT_EQ(loaded.digits, 10);
    EXPECT_EQ(loaded.decimals, 0);
    EXPECT_EQ(loaded.Limit(PresetLimit::RawUpper), -1);

    // A signed 16-bit limit is the number of its low 16 bits.
    odd.GroupName = "D";
    odd.RegisterCount = 1;
    odd.RawUpper = 0xFFFF;
    EXPECT_EQ(LoadPresetRegister({odd}, "D", 0, DefaultPresetValues(16)).Limit(PresetLimit::RawUpper), -1);
}

TEST(PresetRegisterEdit, CheckRangeByTypeAndWidth)
{
    struct Case {
        const char* text;
        NumberFormat type;
        int elementType;
        int count;
        std::optional<std::int64_t> value;
    };
    const Case cases[] = {
        {"", Signed, 16, 1, 0}, {"-", Signed, 16, 1, 0}, {"", Hex, 16, 1, 0}, {"-", Unsigned, 16, 1, Refused},
        {"32767", Signed, 16, 1, 32767}, {"32768", Signed, 16, 1, Refused},
        {"-32768", Signed, 16, 1, -32768}, {"-32769", Signed, 16, 1, Refused},
        {"32768", Signed, 16, 2, 32768}, {"-2147483648", Signed, 32, 1, -2147483648LL},
        {"2147483648", Signed, 32, 1, Refused},
        {"65535", Unsigned, 16, 1, 65535}, {"65536", Unsigned, 16, 1, Refused},
        {"4294967295", Unsigned, 32, 1, 4294967295LL}, {"4294967296", Unsigned, 16, 2, Refused},
        {"FFFF", Hex, 16, 1, 0xFFFF}, {"1FFFF", Hex, 16, 1, Refused}, {"0FFFF", Hex, 16, 1, Refused},
        {"1FFFF", Hex, 32, 1, 0x1FFFF}, {"FFFFFFFF", Hex, 16, 2, 0xFFFFFFFFLL}, {"100000000", Hex, 32, 1, Refused},
        {"12G", Hex, 16, 1, Refused}, {"1.5", Unsigned, 16, 1, Refused},
    };
    for (const Case& c : cases) {
        PresetRegisterValues v = DefaultPresetValues(c.elementType);
        v.registerCount = c.count;
        v.valueType = c.type;
        EXPECT_EQ(CheckRange(c.text, v), c.value) << '"' << c.text << "\" type " << static_cast<int>(c.type);
    }
}

TEST(PresetRegisterEdit, DigitsAndDecimalsStayWithinTheMaximumAndEachOther)
{
    PresetRegisterValues v = DefaultPresetValues(16);
    EXPECT_FALSE(SetPresetDigits(v, 0));
    EXPECT_FALSE(SetPresetDigits(v, 6));
    EXPECT_TRUE(SetPresetDecimals(v, 4));
    EXPECT_EQ(v.digits, 5);
    EXPECT_TRUE(SetPresetDigits(v, 2)); // decimals come down
    EXPECT_EQ(v.decimals, 2);
    EXPECT_TRUE(SetPresetDecimals(v, 5)); // digits go up
    EXPECT_EQ(v.digits, 5);
    EXPECT_FALSE(SetPresetDecimals(v, 6));

    // HEX on one register: four digits at most, and no decimals.
    v = Values(16, 1, Hex, 4, 0, {65535, 0, 65535, 0});
    EXPECT_FALSE(SetPresetDigits(v, 5));
    EXPECT_FALSE(SetPresetDecimals(v, 1));
    v.elementType = 32;
    EXPECT_TRUE(SetPresetDigits(v, 8));
    EXPECT_FALSE(SetPresetDigits(v, 9));
}

TEST(PresetRegisterEdit, RegisterCountChecksAndConversions)
{
    // Two registers need the next word; a 32-bit element always has one.
    PresetRegisterValues v = DefaultPresetValues(16);
    EXPECT_FALSE(SetPresetRegisterCount(v, 2, false));
    EXPECT_EQ(v.registerCount, 1);
    EXPECT_FALSE(SetPresetRegisterCount(v, 3, true));
    EXPECT_FALSE(SetPresetRegisterCount(v, 0, true));
    PresetRegisterValues wide = DefaultPresetValues(32);
    EXPECT_FALSE(SetPresetRegisterCount(wide, 2, true));
    EXPECT_EQ(wide.registerCount, 1);

    // Widening: default digits and default upper limits follow the width.
    EXPECT_TRUE(SetPresetRegisterCount(v, 2, true));
    EXPECT_EQ(v, Values(16, 2, Unsigned, 10, 0, {4294967295, 0, 4294967295, 0}));
    PresetRegisterValues hex = Values(16, 1, Hex, 4, 0, {65535, 0, 0x100, 0});
    EXPECT_TRUE(SetPresetRegisterCount(hex, 2, true));
    EXPECT_EQ(hex, Values(16, 2, Hex, 8, 0, {0xFFFFFFFF, 0, 0x100, 0}));
    PresetRegisterValues sig = Values(16, 1, Signed, 3, 1, {32767, 0, 32767, -1});
    EXPECT_TRUE(SetPresetRegisterCount(sig, 2, true));
    EXPECT_EQ(sig, Values(16, 2, Signed, 3, 1, {2147483647, 0, 32767, -1}));

    // Narrowing cuts digits and limits into the 16-bit range.
    PresetRegisterValues narrow = Values(16, 2, Unsigned, 9, 7, {4294967295, 70000, 100, 0});
    EXPECT_TRUE(SetPresetRegisterCount(narrow, 1, true));
    EXPECT_EQ(narrow, Values(16, 1, Unsigned, 5, 5, {65535, 65535, 100, 0}));
    PresetRegisterValues narrowSigned = Values(16, 2, Signed, 10, 0, {2147483647, -2147483648LL, 5, -5});
    EXPECT_TRUE(SetPresetRegisterCount(narrowSigned, 1, false));
    EXPECT_EQ(narrowSigned, Values(16, 1, Signed, 5, 0, {32767, -32768, 5, -5}));
}

TEST(PresetRegisterEdit, ValueTypeConversions)
{
    struct Case {
        const char* what;
        PresetRegisterValues from;
        NumberFormat to;
        PresetRegisterValues expected;
    };
    const Case cases[] = {
        {"signed to HEX, 16-bit default range", Values(16, 1, Signed, 5, 0, {32767, 0, 32767, 0}), Hex,
         Values(16, 1, Hex, 4, 0, {65535, 0, 65535, 0})},
        {"signed to unsigned, negative limits become 0", Values(16, 1, Signed, 5, 2, {100, -100, 32767, -1}),
         Unsigned, Values(16, 1, Unsigned, 5, 2, {100, 0, 65535, 0})},
        {"unsigned to signed, 16-bit", Values(16, 1, Unsigned, 5, 0, {65535, 40000, 100, 0}), Signed,
         Values(16, 1, Signed, 5, 0, {32767, 32767, 100, 0})},
        {"unsigned to signed, 32-bit", Values(32, 1, Unsigned, 10, 0, {4294967295, 0, 5, 0}), Signed,
         Values(32, 1, Signed, 10, 0, {2147483647, 0, 5, 0})},
        {"signed to unsigned, 32-bit: an upper limit judged by its new lower limit",
         Values(16, 2, Signed, 10, 0, {2147483647, 0, 2147483647, -7}),
         Unsigned, Values(16, 2, Unsigned, 10, 0, {4294967295, 0, 4294967295, 0})},
        {"HEX to unsigned keeps the limits, widens HEX digits", Values(16, 1, Hex, 4, 0, {0x1234, 0, 65535, 0}),
         Unsigned, Values(16, 1, Unsigned, 5, 0, {0x1234, 0, 65535, 0})},
        {"HEX to unsigned keeps other digits", Values(32, 1, Hex, 6, 0, {1, 0, 2, 0}), Unsigned,
         Values(32, 1, Unsigned, 6, 0, {1, 0, 2, 0})},
        {"unsigned to HEX cuts digits and decimals", Values(32, 1, Unsigned, 10, 3, {1, 0, 2, 0}), Hex,
         Values(32, 1, Hex, 8, 0, {1, 0, 2, 0})},
    };
    for (const Case& c : cases) {
        PresetRegisterValues v = c.from;
        SetPresetValueType(v, c.to);
        EXPECT_EQ(v, c.expected) << c.what;
    }
}

TEST(PresetRegisterEdit, LimitTextsInTheValueType)
{
    EXPECT_EQ(PresetLimitText(Values(16, 1, Hex, 4, 0, {65535, 0, 0, 0}), PresetLimit::RawUpper), "FFFF");
    EXPECT_EQ(PresetLimitText(Values(16, 1, Signed, 5, 0, {0, -1, 0, 0}), PresetLimit::RawLower), "-1");
    EXPECT_EQ(PresetLimitText(Values(16, 2, Unsigned, 10, 0, {0, 0, 4294967295, 0}), PresetLimit::EngUpper),
              "4294967295");
    EXPECT_EQ(PresetLimitText(Values(32, 1, Signed, 10, 0, {0, 0, 0, -2147483648LL}), PresetLimit::EngLower),
              "-2147483648");
}
