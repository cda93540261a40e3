#include "pages/FuncKeyRules.h"

#include "base/GbkText.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/PanelKeys.h"
#include "support/TableGroups.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr auto Hex = NumberFormat::Hex;
constexpr auto Unsigned = NumberFormat::Unsigned;
constexpr auto Signed = NumberFormat::Signed;

// A register key of `format` on one 16-bit register (bits 16) or two (32).
std::unique_ptr<CFuncKeyElement> RegisterKey(int action, NumberFormat format, int bits, int value = 0, int step = 1)
{
    auto key = std::make_unique<CFuncKeyElement>();
    key->SetAction(action);
    key->SetDataFormat(static_cast<int>(format));
    key->WordSize = 16;
    key->RegisterCount = bits == 16 ? 1 : 2;
    key->SetValue = value;
    key->StepValue = step;
    return key;
}

} // namespace

TEST(FuncKeyRules, KeyNamesGiveTheirCodes)
{
    const std::pair<const char*, int> cases[] = {
        {"'ESC'键", 4}, {"'↓'键", 3}, {"'↑'键", 2}, {"'CLR'键", 19}, {"'SET'键", 5}, {"'0'键", 8}, {"'9'键", 17},
        {"'+/-'键", 18}, {"'F4'键", 23}, {"'ALM'键", 7}, {"ESC", -1}, {"", -1},
    };
    for (const auto& [name, code] : cases)
        EXPECT_EQ(KeyFromName(GbkFromUtf8(name)), code) << name;
}

TEST(FuncKeyRules, StationZeroOnlyForRegisterSettingAndNonToggleCoilsOnModeOneGroups)
{
    struct Case {
        int action;
        int coil;
        int mode;
        int lowest;
    };
    const Case cases[] = {
        {CFuncKeyElement::SetRegister, 0, 0, 0},
        {CFuncKeyElement::SetRegister, 0, -1, 0},
        {CFuncKeyElement::SetCoil, 0, 1, 0}, // set ON
        {CFuncKeyElement::SetCoil, 1, 1, 0}, // set OFF
        {CFuncKeyElement::SetCoil, 3, 1, 0}, // momentary ON
        {CFuncKeyElement::SetCoil, 2, 1, 1}, // toggle
        {CFuncKeyElement::SetCoil, 0, 0, 1},
        {CFuncKeyElement::SetCoil, 0, 2, 1},
        {CFuncKeyElement::SetCoil, 0, -1, 1}, // group not in the table
        {CFuncKeyElement::Increment, 0, 1, 1},
        {CFuncKeyElement::Decrement, 0, 1, 1},
        {CFuncKeyElement::ScreenJump, 0, 1, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FuncKeyLowestStation(c.action, c.coil, c.mode), c.lowest)
            << "action " << c.action << " coil " << c.coil << " mode " << c.mode;
}

TEST(FuncKeyRules, DefaultLimitByActionFormatAndWidth)
{
    struct Case {
        int action;
        NumberFormat format;
        int bits;
        const char* text;
    };
    const Case cases[] = {
        {CFuncKeyElement::Increment, Hex, 16, "FFFF"},
        {CFuncKeyElement::Increment, Hex, 32, "FFFFFFFF"},
        {CFuncKeyElement::Increment, Unsigned, 16, "65535"},
        {CFuncKeyElement::Increment, Unsigned, 32, "4294967295"},
        {CFuncKeyElement::Increment, Signed, 16, "32767"},
        {CFuncKeyElement::Increment, Signed, 32, "2147483647"},
        {CFuncKeyElement::Decrement, Hex, 16, "0"},
        {CFuncKeyElement::Decrement, Unsigned, 32, "0"},
        {CFuncKeyElement::Decrement, Signed, 16, "-32768"},
        {CFuncKeyElement::Decrement, Signed, 32, "-2147483648"},
        {CFuncKeyElement::SetRegister, Signed, 16, "-32768"},
        {CFuncKeyElement::SetCoil, Hex, 32, "0"},
    };
    for (const auto& c : cases) {
        const auto key = RegisterKey(c.action, c.format, c.bits);
        ResetFuncKeyLimit(*key);
        EXPECT_EQ(FormatValueText(key->Limit, c.format, c.bits), c.text)
            << "action " << c.action << " format " << static_cast<int>(c.format) << " bits " << c.bits;
    }
    // All ones is the stored pattern of the 32-bit unsigned top.
    const auto key = RegisterKey(CFuncKeyElement::Increment, Unsigned, 32);
    ResetFuncKeyLimit(*key);
    EXPECT_EQ(key->Limit, -1);
}

TEST(FuncKeyRules, FormatChangesConvertValueAndStepAndResetTheLimit)
{
    struct Case {
        NumberFormat from;
        NumberFormat to;
        int bits;
        int value;
        int step;
        int newValue;
        int newStep;
    };
    const Case cases[] = {
        {Signed, Hex, 16, -5, 3, 0, 3},
        {Signed, Hex, 16, 0xFFFB, 3, 0, 3}, // bit 15 set counts as negative at 16 bits
        {Signed, Hex, 32, -5, -2, 0, 1},
        {Hex, Signed, 16, 0xFFFF, 0x10, 32767, 16},
        {Hex, Signed, 32, -1, 5, 2147483647, 5},
        {Unsigned, Signed, 16, 40000, 32767, 32767, 32767},
        {Unsigned, Signed, 32, 40000, 7, 40000, 7},
        {Signed, Unsigned, 16, -5, -2, 0, 1},
        {Signed, Unsigned, 32, 100, 2, 100, 2},
        {Hex, Unsigned, 16, 0xFFFF, 1, 65535, 1},
        {Unsigned, Hex, 16, 0x12345, 1, 0x2345, 1},
        {Unsigned, Hex, 32, 0x12345, 1, 0x12345, 1},
    };
    for (const auto& c : cases) {
        const auto key = RegisterKey(CFuncKeyElement::Increment, c.from, c.bits, c.value, c.step);
        ConvertFuncKeyFormat(*key, c.to);
        const auto what = std::to_string(static_cast<int>(c.from)) + "->" + std::to_string(static_cast<int>(c.to));
        EXPECT_EQ(key->SetValue, c.newValue) << what << ' ' << c.value;
        EXPECT_EQ(key->StepValue, c.newStep) << what << ' ' << c.step;
        EXPECT_EQ(key->GetDataFormat(), static_cast<int>(c.to));
        EXPECT_EQ(key->Limit, ValueField(ValueRange(c.to, c.bits).max));
    }

    // The same format changes nothing, not even the limit the user typed.
    const auto key = RegisterKey(CFuncKeyElement::Increment, Signed, 16, -5);
    key->Limit = 100;
    ConvertFuncKeyFormat(*key, Signed);
    EXPECT_EQ(key->SetValue, -5);
    EXPECT_EQ(key->Limit, 100);
}

TEST(FuncKeyRules, WidthChangeClampsSixteenBitValuesAndResetsTheLimit)
{
    struct Case {
        NumberFormat format;
        int bits;
        int value;
        int newValue;
    };
    const Case cases[] = {
        {Signed, 16, 40000, 32767}, {Signed, 16, -40000, -32768}, {Signed, 16, -5, -5},
        {Unsigned, 16, 70000, 65535}, {Unsigned, 16, -1, 65535}, {Hex, 16, 0x1FFFF, 0xFFFF},
        {Unsigned, 32, 70000, 70000}, {Signed, 32, -40000, -40000},
    };
    for (const auto& c : cases) {
        const auto key = RegisterKey(CFuncKeyElement::Decrement, c.format, c.bits, c.value, c.value);
        key->Limit = 12;
        FitFuncKeyValuesToWidth(*key);
        EXPECT_EQ(key->SetValue, c.newValue) << static_cast<int>(c.format) << ' ' << c.bits << ' ' << c.value;
        EXPECT_EQ(key->StepValue, c.newValue);
        EXPECT_EQ(key->Limit, ValueField(ValueRange(c.format, c.bits).min));
    }
}

TEST(FuncKeyRules, ActionStartAddress)
{
    const AddressTable table = {
        MakeGroup("X", BitElementType, 1, {{"X0", 0, 0}, {"X1", 0, 1}}),
        MakeGroup("Empty16", Word16ElementType, 1),
        MakeGroup("D", Word16ElementType, 1, {{"D0", 0, 0}}),
    };
    const auto names = [](const AddressNames& n) { return std::pair{n.group, n.element}; };
    EXPECT_EQ(names(ActionStartAddress(table, 0, "Old")), (std::pair<std::string, std::string>{"X", "X0"}));
    EXPECT_EQ(names(ActionStartAddress(table, 16, "X")), (std::pair<std::string, std::string>{"Empty16", "0"}));
    EXPECT_EQ(names(ActionStartAddress({}, 16, "X")), (std::pair<std::string, std::string>{"VX-D", "0"}));
    EXPECT_EQ(names(ActionStartAddress({}, 0, "Old")), (std::pair<std::string, std::string>{"Old", "0"}));
}

TEST(FuncKeyRules, HandIconAndDoubleSizeKeepTheKeyOnTheDisplay)
{
    struct Case {
        DotBox box;
        bool hand; // else double size
        bool on;
        DotBox result;
    };
    const Case cases[] = {
        {{10, 10, 16, 16}, true, true, {10, 10, 32, 16}},
        {{170, 10, 16, 16}, true, true, {160, 10, 32, 16}},
        {{160, 10, 32, 16}, true, false, {160, 10, 16, 16}},
        {{170, 10, 32, 16}, false, true, {128, 10, 64, 32}}, // a hand key 32 x 16 at x 170
        {{10, 50, 16, 16}, false, true, {10, 32, 32, 32}},
        {{128, 32, 64, 32}, false, false, {128, 32, 32, 16}},
    };
    for (const auto& c : cases) {
        const DotBox box = c.hand ? FuncKeyBoxWithHand(c.box, c.on) : FuncKeyBoxWithDoubleSize(c.box, c.on);
        EXPECT_EQ(std::tie(box.x, box.y, box.w, box.h), std::tie(c.result.x, c.result.y, c.result.w, c.result.h))
            << c.box.x << ' ' << c.box.w << (c.hand ? " hand " : " double ") << c.on;
    }
}
