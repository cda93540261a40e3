#include "devices/PresetRegisterEdit.h"

#include <algorithm>

namespace {

constexpr std::array<std::pair<PresetLimit, PresetLimit>, 2> kPairs = {{
    {PresetLimit::RawUpper, PresetLimit::RawLower},
    {PresetLimit::EngUpper, PresetLimit::EngLower},
}};

// The default range of a format and width: 0 to its largest value.
std::array<std::int64_t, 4> DefaultLimits(NumberFormat format, int bits)
{
    const std::int64_t max = ValueRange(format, bits).max;
    return {max, 0, max, 0};
}

// The digits of a preset without digits part: those of the widest decimal
// value of the width, whatever the value type.
int DefaultDigits(int bits) { return MaxValueDigits(NumberFormat::Unsigned, bits); }

// A stored limit as the box shows it: a signed 16-bit limit is the signed
// number of its low 16 bits, the others their 32-bit pattern in the format.
// A limit out of the range (a damaged file) is brought into it.
std::int64_t LimitOfField(std::int32_t field, NumberFormat format, int bits)
{
    const std::int64_t value = format == NumberFormat::Signed && bits == 16
        ? static_cast<std::int16_t>(field & 0xFFFF)
        : FieldValue(field, format);
    return ValueRange(format, bits).Clamp(value);
}

// Digits and decimals within the maximum of the value type and width; HEX
// has no decimals.
void FitDigits(PresetRegisterValues& values)
{
    const int max = values.MaxDigits();
    if (values.digits > max) {
        values.digits = max;
        values.decimals = 0;
    }
    values.digits = std::max(values.digits, 1);
    values.decimals = values.valueType == NumberFormat::Hex ? 0 : std::clamp(values.decimals, 0, values.digits);
}

// Every limit brought into the range of the value type and width.
void ClampLimits(PresetRegisterValues& values)
{
    const NumberRange range = ValueRange(values.valueType, values.Bits());
    for (std::int64_t& limit : values.limits)
        limit = range.Clamp(limit);
}

// An upper limit at `from` over a lower limit of 0 (a default range) becomes
// `to`.
void MoveDefaultUppers(PresetRegisterValues& values, std::int64_t from, std::int64_t to)
{
    for (const auto& [upper, lower] : kPairs) {
        if (values.Limit(upper) == from && values.Limit(lower) == 0)
            values.Limit(upper) = to;
    }
}

void TakePreset(PresetRegisterValues& values, const PresetRegister& preset)
{
    values.registerCount = preset.RegisterCount == 2 && values.elementType == 16 ? 2 : 1;
    values.valueType = NumberFormatOfCode(preset.ValueType);
    const int bits = values.Bits();
    if (preset.HasDigitsPart()) {
        values.digits = preset.Digits;
        values.decimals = preset.Decimals;
    } else if (bits == 32) {
        values.digits = values.MaxDigits();
        values.decimals = 0;
    }
    if (preset.HasRangesPart()) {
        const std::array<std::int32_t, 4> fields{preset.RawUpper, preset.RawLower, preset.EngUpper, preset.EngLower};
        for (std::size_t k = 0; k < fields.size(); ++k)
            values.limits[k] = LimitOfField(fields[k], values.valueType, bits);
    } else {
        values.limits = DefaultLimits(values.valueType, bits);
    }
}

} // namespace

PresetRegisterValues DefaultPresetValues(int elementType)
{
    PresetRegisterValues values;
    values.elementType = elementType == 32 ? 32 : 16;
    const int bits = values.Bits();
    values.digits = DefaultDigits(bits);
    values.limits = DefaultLimits(values.valueType, bits);
    return values;
}

PresetRegisterValues LoadPresetRegister(const std::vector<PresetRegister>& presets, const std::string& group,
    int address, const PresetRegisterValues& shown)
{
    PresetRegisterValues values = shown;
    bool matched = false;
    for (const PresetRegister& preset : presets) {
        if (address < 0 || preset.WordAddress != address || preset.GroupName != group)
            continue;
        TakePreset(values, preset);
        matched = true;
    }
    if (!matched)
        values = DefaultPresetValues(shown.elementType);
    FitDigits(values);
    return values;
}

void StorePresetRegister(std::vector<PresetRegister>& presets, const std::string& group, int address,
    const PresetRegisterValues& values)
{
    if (group.empty() || address < 0)
        return;
    const int bits = values.Bits();
    const bool digitsDiffer = values.digits != DefaultDigits(bits) || values.decimals != 0;
    const bool rangesDiffer = values.limits != DefaultLimits(values.valueType, bits);
    const auto found = std::find_if(presets.begin(), presets.end(),
        [&](const PresetRegister& p) { return p.WordAddress == address && p.GroupName == group; });
    if (!digitsDiffer && !rangesDiffer) {
        if (found != presets.end())
            presets.erase(found);
        return;
    }

    // A part the preset does not carry keeps the record's own defaults, as a
    // reader of the file leaves it.
    PresetRegister preset;
    preset.Parts = digitsDiffer && rangesDiffer ? 2 : digitsDiffer ? 0 : 1;
    preset.GroupName = group;
    preset.RegisterCount = values.registerCount;
    preset.WordAddress = address;
    preset.ValueType = static_cast<int>(values.valueType);
    if (digitsDiffer) {
        preset.Digits = values.digits;
        preset.Decimals = values.decimals;
    }
    if (rangesDiffer) {
        preset.RawUpper = ValueField(values.Limit(PresetLimit::RawUpper));
        preset.RawLower = ValueField(values.Limit(PresetLimit::RawLower));
        preset.EngUpper = ValueField(values.Limit(PresetLimit::EngUpper));
        preset.EngLower = ValueField(values.Limit(PresetLimit::EngLower));
    }
    if (found != presets.end())
        *found = std::move(preset);
    else
        presets.push_back(std::move(preset));
}

bool SetPresetDigits(PresetRegisterValues& values, int digits)
{
    if (digits < 1 || digits > values.MaxDigits())
        return false;
    values.digits = digits;
    values.decimals = std::min(values.decimals, digits);
    return true;
}

bool SetPresetDecimals(PresetRegisterValues& values, int decimals)
{
    const int max = values.valueType == NumberFormat::Hex ? 0 : values.MaxDigits();
    if (decimals < 0 || decimals > max)
        return false;
    values.decimals = decimals;
    values.digits = std::max(values.digits, decimals);
    return true;
}

bool SetPresetRegisterCount(PresetRegisterValues& values, int count, bool nextWordExists)
{
    if (values.elementType != 16) {
        values.registerCount = 1;
        return count == 1;
    }
    if (count < 1 || count > 2 || (count == 2 && !nextWordExists))
        return false;
    if (count == values.registerCount)
        return true;
    const int narrowMax = values.MaxDigits();
    const std::int64_t narrowUpper = ValueRange(values.valueType, 16).max;
    values.registerCount = count;
    if (count == 2) {
        if (values.digits == narrowMax && values.decimals == 0)
            values.digits = values.MaxDigits();
        MoveDefaultUppers(values, narrowUpper, ValueRange(values.valueType, 32).max);
    } else {
        values.digits = std::min(values.digits, values.MaxDigits());
        values.decimals = std::min(values.decimals, values.MaxDigits());
        ClampLimits(values);
    }
    return true;
}

void SetPresetValueType(PresetRegisterValues& values, NumberFormat type)
{
    if (type == values.valueType)
        return;
    const int bits = values.Bits();
    const NumberFormat previous = values.valueType;
    values.valueType = type;
    ClampLimits(values);
    if (previous == NumberFormat::Signed)
        MoveDefaultUppers(values, ValueRange(NumberFormat::Signed, bits).max, ValueRange(type, bits).max);

    const int max = values.MaxDigits();
    if (type == NumberFormat::Hex) {
        values.digits = std::min(values.digits, max);
        values.decimals = 0;
    } else if (previous == NumberFormat::Hex && values.digits == MaxValueDigits(previous, bits)
        && values.decimals == 0) {
        values.digits = max;
    }
    FitDigits(values);
}

std::optional<std::int64_t> CheckRange(std::string_view text, const PresetRegisterValues& values)
{
    const int bits = values.Bits();
    return ParseValueText(text, values.valueType, bits, WidthDigitLimit(bits));
}

std::string PresetLimitText(const PresetRegisterValues& values, PresetLimit which)
{
    return FormatValueText(ValueField(values.Limit(which)), values.valueType, values.Bits());
}
