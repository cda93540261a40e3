#include "simulator/StepLimit.h"

namespace {

constexpr std::uint32_t kTop16 = 0x7FFF;
constexpr std::uint32_t kSign16 = 0x8000;
constexpr std::uint32_t kSign32 = 0x80000000u;

std::int32_t Signed16(std::uint32_t pattern)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(pattern));
}

bool IncrementUnsigned(int width, std::uint32_t v, std::uint32_t s, std::uint32_t n, std::uint32_t l)
{
    if (width == 16)
        return v + s <= l; // the sum as a 32-bit pattern
    return n <= l && s <= 0xFFFFFFFFu - v;
}

bool DecrementUnsigned(int width, std::uint32_t v, std::uint32_t s, std::uint32_t n, std::uint32_t l)
{
    if (width == 16)
        return v >= s && v - s >= l;
    return v >= s && n >= l;
}

bool IncrementSigned(int width, std::uint32_t v, std::uint32_t s, std::uint32_t n, std::uint32_t l)
{
    if (width == 16) {
        l &= 0xFFFF;
        if (l >= kSign16)
            return n >= kSign16 && n <= l;
        return n <= l || (n >= kSign16 && Signed16(n) > Signed16(v));
    }
    if (l >= kSign32)
        return n >= kSign32 && n <= l;
    return n <= l || (n >= kSign32 && s <= kSign32 - 1 - v);
}

bool DecrementSigned(int width, std::uint32_t v, std::uint32_t n, std::uint32_t l)
{
    if (width == 16) {
        l &= 0xFFFF;
        if (l <= kTop16)
            return l <= n && n <= kTop16;
        return n >= l || (n <= kTop16 && Signed16(n) < Signed16(v));
    }
    if (l >= kSign32)
        return n >= l || (n < kSign32 && static_cast<std::int32_t>(n) <= static_cast<std::int32_t>(v));
    return l <= n && n < kSign32;
}

} // namespace

std::optional<std::uint32_t> SteppedValue(StepDirection direction, NumberFormat format, int width, std::uint32_t value,
    std::uint32_t step, std::uint32_t limit)
{
    const std::uint32_t mask = width == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    const std::uint32_t v = value & mask;
    const bool up = direction == StepDirection::Increment;
    const std::uint32_t n = (up ? v + step : v - step) & mask;
    bool allowed = false;
    if (format == NumberFormat::Signed)
        allowed = up ? IncrementSigned(width, v, step, n, limit) : DecrementSigned(width, v, n, limit);
    else
        allowed = up ? IncrementUnsigned(width, v, step, n, limit) : DecrementUnsigned(width, v, step, n, limit);
    return allowed ? std::optional(n) : std::nullopt;
}
