#include "pages/RegisterLimits.h"

#include "model/elements/CRegisterElement.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

enum Format { Unsigned, Signed, Hex };

// Raw lower, raw upper, engineering lower, engineering upper.
using Limits = std::array<int, 4>;

std::unique_ptr<CRegisterElement> MakeRegister(Format format, int wordSize, int count, Limits limits)
{
    auto reg = std::make_unique<CRegisterElement>();
    reg->SetSigned(format == Signed);
    reg->SetHexBcd(format == Hex);
    reg->WordSize = wordSize;
    reg->RegisterCount = count;
    reg->RawLower = limits[0];
    reg->RawUpper = limits[1];
    reg->EngLower = limits[2];
    reg->EngUpper = limits[3];
    return reg;
}

Limits LimitsOf(const CRegisterElement& reg)
{
    return {reg.RawLower, reg.RawUpper, reg.EngLower, reg.EngUpper};
}

constexpr int kAllOnes = -1; // 4294967295 as stored

} // namespace

TEST(RegisterLimits, LimitTextsCheckTheRegistersFormatAndWidth)
{
    struct Case {
        Format format;
        int wordSize;
        int count;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {Signed, 16, 1, "-32768", true}, {Signed, 16, 1, "32767", true}, {Signed, 16, 1, "32768", false},
        {Signed, 16, 1, "-32769", false}, {Signed, 16, 1, "-", true}, {Signed, 16, 1, "5-", false},
        {Signed, 32, 1, "2147483648", false}, {Signed, 16, 2, "-2147483648", true},
        {Unsigned, 32, 1, "4294967295", true}, {Unsigned, 32, 1, "4294967296", false}, {Unsigned, 16, 1, "-1", false},
        {Hex, 16, 1, "ffff", true}, {Hex, 16, 1, "1FFFF", false}, {Hex, 16, 1, "00FF", true},
        {Hex, 32, 1, "FFFFFFFF", true},
    };
    for (const auto& c : cases) {
        const auto reg = MakeRegister(c.format, c.wordSize, c.count, {});
        EXPECT_EQ(ParseRegisterLimit(*reg, c.text).has_value(), c.accepted) << c.text;
    }
    const auto reg = MakeRegister(Unsigned, 32, 1, {});
    EXPECT_EQ(ValueField(*ParseRegisterLimit(*reg, "4294967295")), kAllOnes);
}

TEST(RegisterLimits, TextsShowTheFormat)
{
    const auto hex = MakeRegister(Hex, 16, 1, {0, 65535, 0, 255});
    EXPECT_EQ(RegisterLimitText(*hex, RegisterLimit::RawUpper), "FFFF");
    EXPECT_EQ(RegisterLimitText(*hex, RegisterLimit::EngUpper), "FF");
    const auto signed16 = MakeRegister(Signed, 16, 1, {-32768, 0x7FFF, 0x8000, 0});
    EXPECT_EQ(RegisterLimitText(*signed16, RegisterLimit::RawLower), "-32768");
    EXPECT_EQ(RegisterLimitText(*signed16, RegisterLimit::EngLower), "-32768");
    const auto unsigned32 = MakeRegister(Unsigned, 32, 1, {0, kAllOnes, 0, 0});
    EXPECT_EQ(RegisterLimitText(*unsigned32, RegisterLimit::RawUpper), "4294967295");
}

TEST(RegisterLimits, FollowTheSign)
{
    struct Case {
        const char* what;
        Format after; // the register's format once the change is made
        int count;
        Limits before;
        Limits after_;
        void (*rule)(CRegisterElement&);
    };
    const Case cases[] = {
        {"sign set, 16-bit", Signed, 1, {0, 65535, 40000, 32767}, {0, 32767, 32767, 32767}, LimitsFollowSignSet},
        {"sign set, 32-bit", Signed, 2, {0, kAllOnes, 5, 2147483647}, {0, 2147483647, 5, 2147483647},
            LimitsFollowSignSet},
        {"sign cleared, 16-bit", Unsigned, 1, {-32768, 32767, -5, 100}, {0, 65535, 0, 100}, LimitsFollowSignCleared},
        {"sign cleared, 16-bit, raised lower", Unsigned, 1, {10, 32767, 70000, 70000}, {10, 32767, 65535, 65535},
            LimitsFollowSignCleared},
        {"sign cleared, 32-bit", Unsigned, 2, {-7, 2147483647, 0, 2147483647}, {0, kAllOnes, 0, kAllOnes},
            LimitsFollowSignCleared},
        {"HEX from signed, 16-bit", Hex, 1, {-32768, 32767, 0, 32767}, {0, 0x7FFF, 0, 0xFFFF},
            LimitsFollowHexFromSigned},
        {"HEX from signed, 32-bit", Hex, 2, {0, 2147483647, -1, -1}, {0, kAllOnes, 0, 0}, LimitsFollowHexFromSigned},
    };
    for (const auto& c : cases) {
        const auto reg = MakeRegister(c.after, 16, c.count, c.before);
        c.rule(*reg);
        EXPECT_EQ(LimitsOf(*reg), c.after_) << c.what;
    }
}

TEST(RegisterLimits, FollowTheRegisterCount)
{
    struct Case {
        Format format;
        int wordSize;
        int count;
        Limits before;
        Limits after;
    };
    const Case cases[] = {
        {Unsigned, 16, 2, {0, 65535, 0, 65535}, {0, kAllOnes, 0, kAllOnes}},
        {Unsigned, 16, 1, {0, kAllOnes, 0, 70000}, {0, 65535, 0, 65535}},
        {Unsigned, 16, 2, {1, 65535, 0, 100}, {1, 65535, 0, 100}}, // lower not 0: kept
        {Hex, 16, 2, {0, 65535, 0, 65535}, {0, kAllOnes, 0, kAllOnes}},
        {Signed, 16, 2, {0, 32767, -5, 32767}, {0, 2147483647, -5, 32767}},
        {Signed, 16, 1, {-2147483647 - 1, 2147483647, -40000, 40000}, {-32768, 32767, -32768, 32767}},
        {Unsigned, 32, 1, {0, 65535, 0, 65535}, {0, 65535, 0, 65535}}, // a 32-bit type has no count rule
    };
    for (const auto& c : cases) {
        const auto reg = MakeRegister(c.format, c.wordSize, c.count, c.before);
        LimitsFollowRegisterCount(*reg);
        EXPECT_EQ(LimitsOf(*reg), c.after) << c.format << ' ' << c.count << ' ' << c.before[1];
    }
}

TEST(RegisterLimits, FollowTheElementType)
{
    struct Case {
        Format format;
        int wordSize; // after the selection
        int previousBits;
        Limits before;
        Limits after;
    };
    const Case cases[] = {
        {Signed, 32, 16, {-32768, 32767, 0, 100}, {-2147483647 - 1, 2147483647, 0, 100}},
        {Signed, 32, 16, {0x8000, 0x7FFF, 0, 0}, {-2147483647 - 1, 2147483647, 0, 0}}, // judged as shown
        {Signed, 16, 32, {-2147483647 - 1, 2147483647, -5, 40000}, {-32768, 32767, -5, 32767}},
        {Signed, 16, 16, {-32768, 32767, 0, 0}, {-32768, 32767, 0, 0}},
        {Unsigned, 32, 16, {0, 65535, 0, 65535}, {0, kAllOnes, 0, kAllOnes}},
        {Unsigned, 16, 32, {0, kAllOnes, 70000, 100}, {0, 65535, 65535, 100}},
        {Hex, 32, 16, {0, 65535, 0, 255}, {0, kAllOnes, 0, 255}},
    };
    for (const auto& c : cases) {
        const auto reg = MakeRegister(c.format, c.wordSize, 1, c.before);
        LimitsFollowTypeSelection(*reg, c.previousBits);
        EXPECT_EQ(LimitsOf(*reg), c.after) << c.format << ' ' << c.wordSize << ' ' << c.before[1];
    }
}

TEST(RegisterLimits, SignedSixteenBitLimitsLoadAsTheirTextsShowThem)
{
    const auto reg = MakeRegister(Signed, 16, 1, {65526, 0x7FFF, 0x8000, -5});
    NormaliseSigned16Limits(*reg);
    EXPECT_EQ(LimitsOf(*reg), (Limits{-10, 32767, -32768, -5}));
    // Now the count rule sees -10, not a number above 32767.
    LimitsFollowRegisterCount(*reg);
    EXPECT_EQ(reg->RawLower, -10);

    for (const auto& [format, count] : {std::pair{Unsigned, 1}, std::pair{Signed, 2}}) {
        const auto other = MakeRegister(format, 16, count, {65526, 0, 0, 0});
        NormaliseSigned16Limits(*other);
        EXPECT_EQ(other->RawLower, 65526);
    }
}

TEST(RegisterLimits, EditableBySettableAndDisplayMode)
{
    CRegisterElement reg;
    EXPECT_FALSE(RawLimitsEditable(reg));
    reg.SetSettable(1);
    EXPECT_TRUE(RawLimitsEditable(reg));
    EXPECT_FALSE(EngLimitsEditable(reg));
    reg.SetSettable(0);
    reg.SetEngineeringScale(1);
    EXPECT_TRUE(RawLimitsEditable(reg));
    EXPECT_TRUE(EngLimitsEditable(reg));
}
