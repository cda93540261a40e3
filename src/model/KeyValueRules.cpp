#include "model/KeyValueRules.h"

namespace {

// Whether a stored field counts as negative at the width.
bool IsNegative(std::int32_t field, int bits)
{
    return bits == 16 ? (field & 0x8000) != 0 : field < 0;
}

std::int32_t LowSixteenBits(std::int32_t field)
{
    return field & 0xFFFF;
}

std::int32_t SignedSixteenBits(std::int32_t field)
{
    return static_cast<std::int16_t>(field & 0xFFFF);
}

// A field brought from `from` into an unsigned format (unsigned or HEX).
std::int32_t ToUnsigned(std::int32_t field, NumberFormat from, NumberFormat to, int bits,
    std::int32_t negativeBecomes, FormatChangeRules rules)
{
    const bool hex16 = to == NumberFormat::Hex && bits == 16;
    if (hex16 && rules.keepSixteenBitPattern)
        return LowSixteenBits(field);
    if (from == NumberFormat::Signed && IsNegative(field, bits))
        return negativeBecomes;
    return hex16 ? LowSixteenBits(field) : field;
}

std::int32_t ToSigned(std::int32_t field, NumberFormat from, int bits, FormatChangeRules rules)
{
    if (from == NumberFormat::Hex && bits == 16 && rules.keepSixteenBitPattern)
        return SignedSixteenBits(field);
    const std::int64_t max = ValueRange(NumberFormat::Signed, bits).max;
    return FieldValue(field, NumberFormat::Unsigned) > max ? ValueField(max) : field;
}

} // namespace

NumberFormat KeyNumberFormat(int storedFormat)
{
    switch (storedFormat) {
    case 0:
        return NumberFormat::Hex;
    case 2:
        return NumberFormat::Signed;
    default:
        return NumberFormat::Unsigned;
    }
}

std::int64_t DefaultKeyLimit(bool increment, NumberFormat format, int bits)
{
    const NumberRange range = ValueRange(format, bits);
    return increment ? range.max : range.min;
}

std::optional<std::int64_t> ParseStepText(std::string_view text, NumberFormat format, int bits, DigitLimit digits)
{
    const std::optional<std::int64_t> step = ParseValueText(text, format, bits, digits);
    if (!step || *step <= 0)
        return std::nullopt;
    return step;
}

NumberRange StepRange(NumberFormat format, int bits)
{
    return {1, ValueRange(format, bits).max};
}

void FitKeyValuesToWidth(KeyValueFields& fields, NumberFormat format, int bits, bool increment)
{
    if (bits == 16) {
        const NumberRange range = ValueRange(format, 16);
        fields.value = ValueField(range.Clamp(FieldValue(fields.value, format)));
        fields.step = ValueField(range.Clamp(FieldValue(fields.step, format)));
    }
    fields.limit = ValueField(DefaultKeyLimit(increment, format, bits));
}

void ConvertKeyValues(KeyValueFields& fields, NumberFormat from, NumberFormat to, int bits, bool increment,
    FormatChangeRules rules)
{
    if (from == to)
        return;
    if (to == NumberFormat::Signed) {
        fields.value = ToSigned(fields.value, from, bits, rules);
        fields.step = ToSigned(fields.step, from, bits, rules);
    } else {
        fields.value = ToUnsigned(fields.value, from, to, bits, 0, rules);
        fields.step = ToUnsigned(fields.step, from, to, bits, 1, rules);
    }
    fields.limit = ValueField(DefaultKeyLimit(increment, to, bits));
}
