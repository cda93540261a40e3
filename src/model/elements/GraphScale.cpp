#include "model/elements/GraphScale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

int32_t Signed16(int value)
{
    return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF));
}

template <typename T>
T ClampToScale(T value, T zero, T full)
{
    if (value > full)
        return full;
    if (value < zero)
        return zero;
    return value;
}

// (value - zero) / (full - zero) on signed 16-bit numbers; 0 at or below the zero.
double Signed16Ratio(int value, int zero, int full)
{
    const int32_t v = Signed16(value);
    const int32_t z = Signed16(zero);
    const int32_t f = Signed16(full);
    if (v <= z)
        return 0;
    if (f == z)
        return 1;
    return double(v - z) / double(f - z);
}

// The ratio with both differences taken as unsigned 32-bit numbers.
double UnsignedSpanRatio(int value, int zero, int full)
{
    const uint32_t span = static_cast<uint32_t>(full) - static_cast<uint32_t>(zero);
    if (span == 0)
        return 1;
    return double(static_cast<uint32_t>(value) - static_cast<uint32_t>(zero)) / double(span);
}

}  // namespace

bool GraphScale::IsSigned16() const
{
    return isSigned && !hexBcd && registerCount == 1 && wordSize == 16;
}

int ClampGraphValue(const GraphScale& scale, int value, int width, int currentValue)
{
    if (scale.hexBcd)
        return value;
    if (width == 32) {
        if (scale.isSigned)
            return ClampToScale(value, scale.zero, scale.fullScale);
        return static_cast<int>(ClampToScale(static_cast<uint32_t>(value), static_cast<uint32_t>(scale.zero),
                                             static_cast<uint32_t>(scale.fullScale)));
    }
    if (width == 16) {
        if (scale.isSigned)
            return ClampToScale(Signed16(value), Signed16(scale.zero), Signed16(scale.fullScale));
        return ClampToScale(value & 0xFFFF, scale.zero & 0xFFFF, scale.fullScale & 0xFFFF);
    }
    return currentValue;
}

std::vector<int> CurvePreviewSamples(const GraphScale& scale, int dataPoints)
{
    std::vector<int> samples;
    if (scale.IsSigned16()) {
        const int32_t zero = Signed16(scale.zero);
        const int32_t range = Signed16(scale.fullScale) - zero;
        samples.push_back(zero);
        samples.push_back(zero + 2 * (range / 3));
        for (int k = 1; k < dataPoints; ++k)
            samples.push_back(zero + (k % 2 ? range / 3 : range / 2));
        return samples;
    }
    const uint32_t zero = static_cast<uint32_t>(scale.zero);
    const uint32_t range = static_cast<uint32_t>(scale.fullScale) - zero;
    samples.push_back(static_cast<int>(zero));
    samples.push_back(static_cast<int>(zero + 2 * (range / 3)));
    for (int k = 1; k < dataPoints; ++k)
        samples.push_back(static_cast<int>(zero + (k % 2 ? range / 3 : range / 2)));
    return samples;
}

int BarPreviewValue(const GraphScale& scale)
{
    const uint32_t zero = static_cast<uint32_t>(scale.zero);
    const uint32_t span = static_cast<uint32_t>(scale.fullScale) - zero;
    return static_cast<int>(zero + span / 3);
}

double CurveSampleRatio(const GraphScale& scale, int sample)
{
    if (scale.fullScale == scale.zero)
        return 0;
    if (scale.IsSigned16()) {
        const int32_t zero = Signed16(scale.zero);
        const int32_t span = Signed16(scale.fullScale) - zero;
        return span == 0 ? 0 : double(Signed16(sample) - zero) / double(span);
    }
    return UnsignedSpanRatio(sample, scale.zero, scale.fullScale);
}

double BarFillFraction(const GraphScale& scale, int direction, int value)
{
    if (scale.fullScale == scale.zero)
        return 1;
    const bool signedArithmetic =
        direction == 1 ? (scale.isSigned && !scale.hexBcd) : (scale.isSigned || scale.hexBcd);
    double ratio = 0;
    if (signedArithmetic) {
        if (scale.registerCount == 1 && scale.wordSize == 16)
            ratio = Signed16Ratio(value, scale.zero, scale.fullScale);
        else if (value > scale.zero)
            ratio = UnsignedSpanRatio(value, scale.zero, scale.fullScale);
        ratio = std::fabs(ratio);
    } else {
        if (static_cast<uint32_t>(value) > static_cast<uint32_t>(scale.zero))
            ratio = UnsignedSpanRatio(value, scale.zero, scale.fullScale);
        if (direction == 1 && ratio > 1.0)
            ratio = 0.3333333;
    }
    // The fill never leaves the bar's box.
    return std::clamp(ratio, 0.0, 1.0);
}
