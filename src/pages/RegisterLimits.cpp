#include "pages/RegisterLimits.h"

#include "model/elements/CRegisterElement.h"

#include <cstdint>

namespace {

constexpr std::int32_t kSigned16Max = 32767;
constexpr std::int32_t kSigned16Min = -32768;
constexpr std::int32_t kUnsigned16Max = 65535;
constexpr std::int32_t kSigned32Max = INT32_MAX;
constexpr std::int32_t kSigned32Min = INT32_MIN;
constexpr std::int32_t kUnsigned32Max = -1; // the pattern of 4294967295

// A lower limit and the upper limit it belongs to.
struct LimitPair {
    int& lower;
    int& upper;
};

LimitPair RawPair(CRegisterElement& reg)
{
    return {reg.RawLower, reg.RawUpper};
}

LimitPair EngPair(CRegisterElement& reg)
{
    return {reg.EngLower, reg.EngUpper};
}

std::int64_t AsUnsigned(std::int32_t field)
{
    return FieldValue(field, NumberFormat::Unsigned);
}

bool Low16Negative(std::int32_t field)
{
    return (field & 0x8000) != 0;
}

std::int32_t ClampSigned16(std::int64_t value)
{
    return static_cast<std::int32_t>(ValueRange(NumberFormat::Signed, 16).Clamp(value));
}

// The value a signed limit's text shows at `bits`.
std::int64_t ShownSigned(std::int32_t field, int bits)
{
    return bits == 16 ? static_cast<std::int16_t>(field & 0xFFFF) : field;
}

void ForEachLimit(CRegisterElement& reg, auto&& rule)
{
    for (int* limit : {&reg.RawUpper, &reg.RawLower, &reg.EngUpper, &reg.EngLower})
        rule(*limit);
}

void SignCleared(LimitPair pair, bool single16)
{
    if (!single16) {
        for (int* limit : {&pair.lower, &pair.upper})
            if (*limit < 0)
                *limit = 0;
        if (pair.upper == kSigned32Max && pair.lower == 0)
            pair.upper = kUnsigned32Max;
        return;
    }
    if (pair.lower > kUnsigned16Max)
        pair.lower = kUnsigned16Max;
    else if (Low16Negative(pair.lower))
        pair.lower = 0;
    if (pair.upper > kUnsigned16Max || (pair.upper == kSigned16Max && pair.lower == 0))
        pair.upper = kUnsigned16Max;
    else if (Low16Negative(pair.upper))
        pair.upper = 0;
}

void HexFromSigned(LimitPair pair, bool single16)
{
    if (pair.upper < 0)
        pair.upper = 0;
    else if (single16 && pair.upper == kSigned16Max && pair.lower == 0)
        pair.upper = kUnsigned16Max;
    else if (pair.upper == kSigned32Max && pair.lower == 0)
        pair.upper = kUnsigned32Max;
    if (pair.lower < 0)
        pair.lower = 0;
}

void WidenUpper(LimitPair pair, std::int32_t from, std::int32_t to)
{
    if (pair.upper == from && pair.lower == 0)
        pair.upper = to;
}

} // namespace

int& LimitField(CRegisterElement& reg, RegisterLimit limit)
{
    switch (limit) {
    case RegisterLimit::RawUpper:
        return reg.RawUpper;
    case RegisterLimit::RawLower:
        return reg.RawLower;
    case RegisterLimit::EngUpper:
        return reg.EngUpper;
    case RegisterLimit::EngLower:
        break;
    }
    return reg.EngLower;
}

NumberFormat RegisterNumberFormat(const CRegisterElement& reg)
{
    return RegisterNumberFormat(reg.IsHexBcd(), reg.IsSigned());
}

int RegisterValueBits(const CRegisterElement& reg)
{
    return ValueBits(reg.WordSize, reg.RegisterCount);
}

std::string RegisterLimitText(CRegisterElement& reg, RegisterLimit limit)
{
    return FormatValueText(LimitField(reg, limit), RegisterNumberFormat(reg), RegisterValueBits(reg));
}

std::optional<std::int64_t> ParseRegisterLimit(const CRegisterElement& reg, std::string_view text)
{
    return ParseValueText(text, RegisterNumberFormat(reg), RegisterValueBits(reg));
}

void NormaliseSigned16Limits(CRegisterElement& reg)
{
    if (reg.IsSigned() && RegisterValueBits(reg) == 16)
        ForEachLimit(reg, [](int& limit) { limit = static_cast<std::int16_t>(limit & 0xFFFF); });
}

bool RawLimitsEditable(const CRegisterElement& reg)
{
    return reg.IsSettable() || reg.IsEngineeringScale();
}

bool EngLimitsEditable(const CRegisterElement& reg)
{
    return reg.IsEngineeringScale();
}

void LimitsFollowSignSet(CRegisterElement& reg)
{
    const bool single16 = RegisterValueBits(reg) == 16;
    ForEachLimit(reg, [single16](int& limit) {
        if (single16 ? limit > kSigned16Max : AsUnsigned(limit) > kSigned32Max)
            limit = single16 ? kSigned16Max : kSigned32Max;
    });
}

void LimitsFollowSignCleared(CRegisterElement& reg)
{
    const bool single16 = RegisterValueBits(reg) == 16;
    SignCleared(RawPair(reg), single16);
    SignCleared(EngPair(reg), single16);
}

void LimitsFollowHexFromSigned(CRegisterElement& reg)
{
    const bool single16 = RegisterValueBits(reg) == 16;
    HexFromSigned(RawPair(reg), single16);
    HexFromSigned(EngPair(reg), single16);
}

void LimitsFollowRegisterCount(CRegisterElement& reg)
{
    if (reg.WordSize != 16)
        return;
    const bool single = reg.RegisterCount == 1;
    if (reg.IsSigned() && single) {
        ForEachLimit(reg, [](int& limit) { limit = ClampSigned16(limit); });
    } else if (reg.IsSigned()) {
        WidenUpper(RawPair(reg), kSigned16Max, kSigned32Max);
        WidenUpper(EngPair(reg), kSigned16Max, kSigned32Max);
    } else if (single) {
        ForEachLimit(reg, [](int& limit) {
            if (AsUnsigned(limit) > kUnsigned16Max)
                limit = kUnsigned16Max;
        });
    } else {
        WidenUpper(RawPair(reg), kUnsigned16Max, kUnsigned32Max);
        WidenUpper(EngPair(reg), kUnsigned16Max, kUnsigned32Max);
    }
}

void LimitsFollowTypeSelection(CRegisterElement& reg, int previousBits)
{
    if (reg.RegisterCount != 1)
        return;
    const bool word16 = reg.WordSize == 16;
    if (reg.IsSigned()) {
        ForEachLimit(reg, [&](int& limit) {
            const std::int64_t shown = ShownSigned(limit, previousBits);
            if (word16 && (shown > kSigned16Max || shown < kSigned16Min))
                limit = ClampSigned16(shown);
        });
        if (!word16) {
            for (int* upper : {&reg.RawUpper, &reg.EngUpper})
                if (ShownSigned(*upper, previousBits) == kSigned16Max)
                    *upper = kSigned32Max;
            for (int* lower : {&reg.RawLower, &reg.EngLower})
                if (ShownSigned(*lower, previousBits) == kSigned16Min)
                    *lower = kSigned32Min;
        }
    } else if (word16) {
        ForEachLimit(reg, [](int& limit) {
            if (AsUnsigned(limit) > kUnsigned16Max)
                limit = kUnsigned16Max;
        });
    } else {
        for (int* upper : {&reg.RawUpper, &reg.EngUpper})
            if (*upper == kUnsigned16Max)
                *upper = kUnsigned32Max;
    }
}
