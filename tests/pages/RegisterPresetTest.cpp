#include "pages/RegisterPreset.h"

#include "model/elements/CRegisterElement.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kAddress = 0x100;

std::unique_ptr<CRegisterElement> MakeRegister(int wordSize, int count = 1)
{
    auto reg = std::make_unique<CRegisterElement>();
    reg->GroupName = "D";
    reg->WordSize = wordSize;
    reg->RegisterCount = count;
    return reg;
}

PresetRegister Preset(int parts, int valueType, int count = 1)
{
    PresetRegister p;
    p.Parts = parts;
    p.GroupName = "D";
    p.WordAddress = kAddress;
    p.RegisterCount = count;
    p.ValueType = valueType;
    p.Digits = 4;
    p.Decimals = 1;
    p.RawLower = -100;
    p.RawUpper = 100;
    p.EngLower = -10;
    p.EngUpper = 10;
    return p;
}

} // namespace

TEST(RegisterPreset, DigitsOnlyPresetGivesDefaultLimits)
{
    const auto reg = MakeRegister(16);
    EXPECT_TRUE(ApplyPresetRegister(*reg, {Preset(0, 2)}, kAddress));
    EXPECT_TRUE(reg->IsSigned());
    EXPECT_FALSE(reg->IsHexBcd());
    EXPECT_EQ(reg->Digits, 4);
    EXPECT_EQ(reg->Decimals, 1);
    EXPECT_EQ(reg->RawLower, 0);
    EXPECT_EQ(reg->RawUpper, 32767);
    EXPECT_EQ(reg->EngLower, 0);
    EXPECT_EQ(reg->EngUpper, 32767);
    EXPECT_FALSE(reg->IsEngineeringScale());
    EXPECT_EQ(reg->GetPreviewText(), "-123.4");

    const auto unsigned32 = MakeRegister(16, 1);
    ApplyPresetRegister(*unsigned32, {Preset(0, 1, 2)}, kAddress);
    EXPECT_EQ(unsigned32->RegisterCount, 2);
    EXPECT_EQ(unsigned32->RawUpper, -1); // 4294967295
}

TEST(RegisterPreset, RangesOnlyPresetOnA32BitRegister)
{
    const auto reg = MakeRegister(32);
    reg->Digits = 3;
    reg->Decimals = 2;
    EXPECT_TRUE(ApplyPresetRegister(*reg, {Preset(1, 1)}, kAddress));
    EXPECT_EQ(reg->Digits, 10);
    EXPECT_EQ(reg->Decimals, 0);
    EXPECT_EQ(reg->RawLower, -100);
    EXPECT_EQ(reg->RawUpper, 100);
    EXPECT_EQ(reg->EngLower, -10);
    EXPECT_EQ(reg->EngUpper, 10);
    EXPECT_TRUE(reg->IsEngineeringScale());
    EXPECT_EQ(reg->GetPreviewText(), "1234567890");
    EXPECT_EQ(reg->GetSize(), (DotSize{80, 16}));

    // On one 16-bit register the digits stay as they were.
    const auto narrow = MakeRegister(16);
    narrow->Digits = 3;
    ApplyPresetRegister(*narrow, {Preset(1, 1)}, kAddress);
    EXPECT_EQ(narrow->Digits, 3);
}

TEST(RegisterPreset, HexRegisterTakesNoPreset)
{
    const auto reg = MakeRegister(16);
    reg->SetHexBcd(1);
    reg->SetPreviewText("kept");
    EXPECT_FALSE(ApplyPresetRegister(*reg, {Preset(2, 2)}, kAddress));
    EXPECT_TRUE(reg->IsHexBcd());
    EXPECT_EQ(reg->Digits, 5);
    EXPECT_EQ(reg->GetPreviewText(), "kept");
}

TEST(RegisterPreset, MatchesByGroupAndAddressTheLastOneDeciding)
{
    PresetRegister otherGroup = Preset(2, 2);
    otherGroup.GroupName = "d"; // names compare case-sensitively
    PresetRegister otherAddress = Preset(2, 2);
    otherAddress.WordAddress = kAddress + 1;
    const auto reg = MakeRegister(16);
    EXPECT_FALSE(ApplyPresetRegister(*reg, {otherGroup, otherAddress}, kAddress));
    EXPECT_FALSE(reg->IsSigned());
    EXPECT_EQ(reg->GetPreviewText(), "12345"); // the preview is rebuilt all the same

    EXPECT_FALSE(ApplyPresetRegister(*reg, {Preset(2, 2)}, -1)); // element not in the table

    PresetRegister later = Preset(2, 1);
    later.Digits = 2;
    later.Decimals = 0;
    EXPECT_TRUE(ApplyPresetRegister(*reg, {Preset(2, 2), later}, kAddress));
    EXPECT_FALSE(reg->IsSigned());
    EXPECT_EQ(reg->Digits, 2);
}

TEST(RegisterPreset, HexPresetUsesTheHexDigitMaximum)
{
    PresetRegister hex = Preset(1, 0);
    const auto reg = MakeRegister(16);
    reg->SetAlignment(1);
    reg->Digits = 5;
    reg->Decimals = 2;
    ApplyPresetRegister(*reg, {hex}, kAddress);
    EXPECT_TRUE(reg->IsHexBcd());
    EXPECT_EQ(reg->Digits, 4);
    EXPECT_EQ(reg->Decimals, 0);
    EXPECT_EQ(reg->GetPreviewText(), "1234");

    reg->SetHexBcd(0);
    reg->Digits = 2;
    ApplyPresetRegister(*reg, {hex}, kAddress);
    EXPECT_EQ(reg->GetPreviewText(), "34"); // left indent within four HEX digits, not five
}

TEST(RegisterPreset, OutOfReachPresetValuesAreBroughtWithinTheRegister)
{
    PresetRegister wild = Preset(0, 1, 2);
    wild.Digits = 40;
    wild.Decimals = 50;
    const auto reg = MakeRegister(32);
    ApplyPresetRegister(*reg, {wild}, kAddress);
    EXPECT_EQ(reg->RegisterCount, 1); // a 32-bit type keeps one register
    EXPECT_EQ(reg->Digits, 10);
    EXPECT_EQ(reg->Decimals, 10);
}
