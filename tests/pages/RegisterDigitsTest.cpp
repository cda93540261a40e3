#include "pages/RegisterDigits.h"

#include "model/elements/CRegisterElement.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct RegisterSetup {
    int digits = 5;
    int decimals = 0;
    int indent = 0; // 0 right, 1 left
    bool isSigned = false;
    bool hex = false;
    int wordSize = 16;
    int count = 1;
    bool doubleSize = false;
};

std::unique_ptr<CRegisterElement> MakeRegister(const RegisterSetup& s)
{
    auto reg = std::make_unique<CRegisterElement>();
    reg->Digits = s.digits;
    reg->Decimals = s.decimals;
    reg->SetAlignment(s.indent);
    reg->SetSigned(s.isSigned);
    reg->SetHexBcd(s.hex);
    reg->WordSize = s.wordSize;
    reg->RegisterCount = s.count;
    reg->SetDoubleSize(s.doubleSize);
    return reg;
}

} // namespace

TEST(RegisterDigits, PreviewTextAndSize)
{
    struct Case {
        RegisterSetup setup;
        const char* text;
        int width;
        int height;
    };
    const Case cases[] = {
        {{.digits = 5, .decimals = 2}, "123.45", 48, 16},
        {{.digits = 5, .decimals = 2, .doubleSize = true}, "123.45", 96, 32},
        {{.digits = 3, .indent = 1}, "345", 24, 16},
        {{.digits = 3}, "123", 24, 16},
        {{.digits = 2, .decimals = 2}, "0.12", 32, 16},
        {{.digits = 2, .decimals = 2, .indent = 1}, "0.45", 32, 16},
        {{.digits = 5, .decimals = 2, .isSigned = true}, "-123.45", 56, 16},
        {{.digits = 10, .wordSize = 32}, "1234567890", 80, 16},
        {{.digits = 10, .decimals = 1, .count = 2}, "123456789.0", 88, 16},
        {{.digits = 10, .decimals = 10, .wordSize = 32}, "0.1234567890", 96, 16},
        {{.digits = 10, .decimals = 2, .isSigned = true, .wordSize = 32}, "-12345678.90", 96, 16},
        {{.digits = 9, .indent = 1, .wordSize = 32}, "234567890", 72, 16},
        {{.digits = 3, .indent = 1, .hex = true}, "234", 24, 16}, // HEX: four digits at most
    };
    for (const auto& c : cases) {
        const auto reg = MakeRegister(c.setup);
        UpdateRegisterPreview(*reg, false);
        EXPECT_EQ(reg->GetPreviewText(), c.text);
        EXPECT_EQ(reg->GetSize(), (DotSize{c.width, c.height})) << c.text;
    }
}

TEST(RegisterDigits, GrowingPreviewMovesBackOntoTheDisplay)
{
    const auto reg = MakeRegister({.digits = 10, .wordSize = 32});
    reg->SetPosition(150, 50);
    UpdateRegisterPreview(*reg, false);
    EXPECT_EQ(reg->GetPosition(), (DotPoint{192 - 80, 50}));

    reg->SetDoubleSize(1);
    UpdateRegisterPreview(*reg, true);
    EXPECT_EQ(reg->GetPosition(), (DotPoint{192 - 160, 64 - 32}));
}

TEST(RegisterDigits, DigitAndDecimalRanges)
{
    EXPECT_EQ(RegisterDigitMaximum(true, 16, 1), 4);
    EXPECT_EQ(RegisterDigitMaximum(false, 16, 1), 5);
    EXPECT_EQ(RegisterDigitMaximum(true, 16, 2), 8);
    EXPECT_EQ(RegisterDigitMaximum(false, 32, 1), 10);

    const auto reg = MakeRegister({.digits = 5, .decimals = 3});
    EXPECT_FALSE(SetRegisterDigits(*reg, 0));
    EXPECT_FALSE(SetRegisterDigits(*reg, 6));
    EXPECT_EQ(reg->Digits, 5);
    EXPECT_TRUE(SetRegisterDigits(*reg, 2)); // lowered below the decimals: they follow
    EXPECT_EQ(reg->Decimals, 2);
    EXPECT_TRUE(SetRegisterDecimals(*reg, 4)); // raised above the digits: they follow
    EXPECT_EQ(reg->Digits, 4);
    UpdateRegisterPreview(*reg, false);
    EXPECT_EQ(reg->GetPreviewText(), "0.1234");
    EXPECT_FALSE(SetRegisterDecimals(*reg, 6));
    EXPECT_FALSE(SetRegisterDecimals(*reg, -1));

    const auto hex = MakeRegister({.digits = 4, .hex = true});
    EXPECT_FALSE(SetRegisterDigits(*hex, 5));
}

TEST(RegisterDigits, FormatChangesMoveDigitsBetweenMaxima)
{
    const auto reg = MakeRegister({.digits = 5, .decimals = 2, .isSigned = true});
    MakeRegisterHexBcd(*reg);
    EXPECT_TRUE(reg->IsHexBcd());
    EXPECT_FALSE(reg->IsSigned());
    EXPECT_EQ(reg->Digits, 4);
    EXPECT_EQ(reg->Decimals, 0);
    UpdateRegisterPreview(*reg, false);
    EXPECT_EQ(reg->GetPreviewText(), "1234");
    MakeRegisterDecimal(*reg);
    EXPECT_FALSE(reg->IsHexBcd());
    EXPECT_EQ(reg->Digits, 5);

    const auto short32 = MakeRegister({.digits = 3, .wordSize = 32});
    MakeRegisterHexBcd(*short32);
    MakeRegisterDecimal(*short32);
    EXPECT_EQ(short32->Digits, 3);
}

TEST(RegisterDigits, WidthChangesCutOrWidenDigits)
{
    struct Case {
        RegisterSetup setup;
        int digits;
        int decimals;
    };
    const Case cases[] = {
        {{.digits = 10, .decimals = 8, .count = 1}, 5, 5},         // back to one 16-bit register
        {{.digits = 8, .hex = true, .count = 1}, 4, 0},
        {{.digits = 5, .decimals = 1, .count = 2}, 10, 1},         // at the 16-bit maximum: widened
        {{.digits = 4, .hex = true, .wordSize = 32}, 8, 0},
        {{.digits = 3, .count = 2}, 3, 0},                         // below it: kept
    };
    for (const auto& c : cases) {
        const auto reg = MakeRegister(c.setup);
        FitRegisterDigitsToWidth(*reg);
        EXPECT_EQ(reg->Digits, c.digits) << c.setup.digits;
        EXPECT_EQ(reg->Decimals, c.decimals) << c.setup.digits;
    }
}
