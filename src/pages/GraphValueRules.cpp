#include "pages/GraphValueRules.h"

std::optional<std::int32_t> ReadScaleText(std::string_view text, NumberFormat format, int bits)
{
    const std::optional<std::int64_t> value = ParseValueText(text, format, bits);
    if (!value)
        return std::nullopt;
    return ValueField(*value);
}

GraphScales FitScalesToWidth(GraphScales scales, NumberFormat format, int bits)
{
    const NumberRange narrow = ValueRange(format, 16);
    std::int64_t zero = FieldValue(scales.zero, format);
    std::int64_t full = FieldValue(scales.full, format);
    if (bits == 16) {
        zero = narrow.Clamp(zero);
        full = narrow.Clamp(full);
    } else if (full == narrow.max) {
        full = ValueRange(format, 32).max;
    }
    return {ValueField(zero), ValueField(full)};
}

GraphScales FitScalesToFormat(GraphScales scales, NumberFormat from, NumberFormat to, int bits, GraphKind kind)
{
    if (from == to || (from == NumberFormat::Hex && to == NumberFormat::Unsigned))
        return scales;
    const NumberRange range = ValueRange(to, bits);
    std::int64_t zero = FieldValue(scales.zero, from);
    std::int64_t full = FieldValue(scales.full, from);
    if (to == NumberFormat::Signed) {
        if (kind == GraphKind::Curve && bits == 32 && full == 0xFFFF)
            full = range.max;
    } else if (full == ValueRange(NumberFormat::Signed, bits).max) {
        full = range.max;
    }
    return {ValueField(range.Clamp(zero)), ValueField(range.Clamp(full))};
}

std::optional<std::int64_t> StepScaleText(std::string_view text, int delta, ScaleEnd end, GraphScales scales,
    NumberFormat format, int bits, GraphKind kind)
{
    const std::optional<std::int64_t> value = ParseValueText(text, format, bits);
    if (!value)
        return std::nullopt;
    if (kind == GraphKind::Bar) {
        // The full scale steps down only while it is above the zero scale,
        // the zero scale up only while it is below the full scale.
        if (end == ScaleEnd::Full && delta < 0 && *value <= FieldValue(scales.zero, format))
            return std::nullopt;
        if (end == ScaleEnd::Zero && delta > 0 && *value >= FieldValue(scales.full, format))
            return std::nullopt;
    }
    return ValueRange(format, bits).Step(*value, delta);
}

std::optional<int> GraphRegisterCount(int entered, int wordSize, bool nextWordExists)
{
    if (wordSize == 32)
        return 1;
    if (wordSize != 16)
        return std::nullopt;
    if (entered == 1 || (entered == 2 && nextWordExists))
        return entered;
    return std::nullopt;
}
