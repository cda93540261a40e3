#include "model/elements/RegisterLiveValue.h"

#include "model/elements/ScaledResult.h"

#include <algorithm>
#include <cstdio>

namespace {

int32_t LowWordSigned(uint32_t value)
{
    return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFFu));
}

template <typename T>
T ClampBetween(T value, T lower, T upper, T asUpper, T asLower, bool& changed)
{
    changed = true;
    if (value > upper)
        return asUpper;
    if (value < lower)
        return asLower;
    changed = false;
    return value;
}

std::string PaddedNumber(const char* format, uint32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// Cuts the text to the digits, keeping the end the alignment asks for.
std::string CutToDigits(std::string text, int digits, int alignment)
{
    const size_t keep = static_cast<size_t>(std::max(digits, 0));
    if (text.size() > keep)
        text = alignment == 1 ? text.substr(text.size() - keep) : text.substr(0, keep);
    return text;
}

}  // namespace

uint32_t ClampToRawLimits(const RegisterFormat& format, uint32_t value, int width)
{
    if (!format.settable && !format.engineeringScale)
        return value;
    bool changed = false;
    const uint32_t upper = static_cast<uint32_t>(format.rawUpper);
    const uint32_t lower = static_cast<uint32_t>(format.rawLower);
    if (format.hexBcd || !format.isSigned)
        return ClampBetween(value, lower, upper, upper, lower, changed);
    if (width == 16) {
        const int32_t clamped = ClampBetween(LowWordSigned(value), LowWordSigned(lower), LowWordSigned(upper),
                                             static_cast<int32_t>(upper & 0xFFFFu),
                                             static_cast<int32_t>(lower & 0xFFFFu), changed);
        return changed ? static_cast<uint32_t>(clamped) : value;
    }
    return static_cast<uint32_t>(ClampBetween(static_cast<int32_t>(value), format.rawLower, format.rawUpper,
                                              format.rawUpper, format.rawLower, changed));
}

uint32_t ScaleToEngineering(const RegisterFormat& format, uint32_t value, int width)
{
    if (!format.engineeringScale)
        return value;
    double valueSpan = 0;
    double engSpan = 0;
    double rawSpan = 0;
    double engLower = 0;
    bool unsignedResult = false;
    if (format.isSigned && !format.hexBcd && width == 16) {
        const int32_t rawLower = LowWordSigned(static_cast<uint32_t>(format.rawLower));
        engLower = LowWordSigned(static_cast<uint32_t>(format.engLower));
        valueSpan = double(LowWordSigned(value)) - rawLower;
        engSpan = double(LowWordSigned(static_cast<uint32_t>(format.engUpper))) - engLower;
        rawSpan = double(LowWordSigned(static_cast<uint32_t>(format.rawUpper))) - rawLower;
    } else if (format.isSigned && !format.hexBcd) {
        engLower = format.engLower;
        valueSpan = double(static_cast<int32_t>(value)) - format.rawLower;
        engSpan = static_cast<uint32_t>(format.engUpper) - static_cast<uint32_t>(format.engLower);
        rawSpan = static_cast<uint32_t>(format.rawUpper) - static_cast<uint32_t>(format.rawLower);
    } else {
        unsignedResult = true;
        engLower = static_cast<uint32_t>(format.engLower);
        valueSpan = value - static_cast<uint32_t>(format.rawLower);
        engSpan = static_cast<uint32_t>(format.engUpper) - static_cast<uint32_t>(format.engLower);
        rawSpan = static_cast<uint32_t>(format.rawUpper) - static_cast<uint32_t>(format.rawLower);
    }
    // A zero raw span has no scale: the quotient would be infinite.
    const uint32_t result =
        rawSpan == 0 ? kInvalidScaledResult : RoundScaledResult(engLower + engSpan / rawSpan * valueSpan, unsignedResult);
    if (format.isSigned && !format.hexBcd && width == 16)
        return result & 0xFFFFu;
    return result;
}

std::string FormatRegisterText(const RegisterFormat& format, uint32_t value, int width)
{
    std::string text;
    std::string sign;
    if (format.hexBcd) {
        text = PaddedNumber(width == 32 ? "%08X" : "%04X", value);
    } else {
        uint32_t magnitude = value;
        if (format.isSigned) {
            sign = "+";
            if (width == 32 && (value & 0x80000000u)) {
                magnitude = 0u - value;
                sign = "-";
            } else if (width == 16 && (value & 0x8000u)) {
                magnitude = 65536u - (value & 0xFFFFu);
                sign = "-";
            }
        }
        text = PaddedNumber(width == 32 ? "%010u" : "%05u", magnitude);
    }
    text = CutToDigits(text, format.digits, format.alignment);
    if (!format.hexBcd) {
        // Decimal texts shorter than the digits (a narrow width with many
        // digits) are padded so that the point lands inside the text.
        const int digits = std::max(format.digits, 1);
        if (static_cast<int>(text.size()) < digits)
            text.insert(0, static_cast<size_t>(digits) - text.size(), '0');
        text = WithDecimalPoint(text, digits, std::clamp(format.decimals, 0, digits));
    }
    return sign + text;
}

std::string FormatLiveValue(const RegisterFormat& format, uint32_t value, int width)
{
    const uint32_t clamped = ClampToRawLimits(format, value, width);
    return FormatRegisterText(format, ScaleToEngineering(format, clamped, width), width);
}
