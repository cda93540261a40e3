#include "model/elements/ScaledResult.h"

#include <cmath>

uint32_t RoundScaledResult(double result, bool unsignedResult)
{
    if (std::isnan(result))
        return kInvalidScaledResult;
    const double rounded = (result - std::floor(result) >= 0.5) ? std::ceil(result) : std::trunc(result);
    const double upper = unsignedResult ? 4294967295.0 : 2147483647.0;
    if (rounded < -2147483648.0 || rounded > upper)
        return kInvalidScaledResult;
    if (rounded < 0)
        return static_cast<uint32_t>(static_cast<int32_t>(rounded));
    return static_cast<uint32_t>(rounded);
}

int32_t TruncateToInt32(double value)
{
    if (std::isnan(value) || value <= -2147483649.0 || value >= 2147483648.0)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}
