#include "pages/RegisterPreset.h"

#include "model/elements/CRegisterElement.h"
#include "pages/RegisterDigits.h"
#include "pages/RegisterLimits.h"

#include <algorithm>

namespace {

void TakeValueType(CRegisterElement& reg, int valueType)
{
    switch (valueType) {
    case 0:
        reg.SetHexBcd(1);
        reg.SetSigned(0);
        break;
    case 1:
        reg.SetHexBcd(0);
        reg.SetSigned(0);
        break;
    case 2:
        reg.SetHexBcd(0);
        reg.SetSigned(1);
        break;
    default:
        break;
    }
}

void TakePreset(CRegisterElement& reg, const PresetRegister& preset)
{
    reg.RegisterCount = preset.RegisterCount == 2 && reg.WordSize == 16 ? 2 : 1;
    TakeValueType(reg, preset.ValueType);
    const int maximum = RegisterDigitMaximum(reg);
    if (preset.HasDigitsPart()) {
        reg.Digits = preset.Digits;
        reg.Decimals = preset.Decimals;
    }
    if (preset.Parts == 0) {
        const NumberFormat format = reg.IsSigned() ? NumberFormat::Signed : NumberFormat::Unsigned;
        reg.RawLower = reg.EngLower = 0;
        reg.RawUpper = reg.EngUpper = ValueField(ValueRange(format, RegisterValueBits(reg)).max);
    }
    if (preset.HasRangesPart()) {
        reg.RawLower = preset.RawLower;
        reg.RawUpper = preset.RawUpper;
        reg.EngLower = preset.EngLower;
        reg.EngUpper = preset.EngUpper;
        if (!preset.HasDigitsPart() && RegisterValueBits(reg) == 32) {
            reg.Digits = maximum;
            reg.Decimals = 0;
        }
        reg.SetEngineeringScale(1);
    }
    reg.Digits = std::clamp(reg.Digits, 1, maximum);
    reg.Decimals = reg.IsHexBcd() ? 0 : std::clamp(reg.Decimals, 0, reg.Digits);
}

} // namespace

bool ApplyPresetRegister(CRegisterElement& reg, const std::vector<PresetRegister>& presets, int wordAddress)
{
    if (reg.IsHexBcd())
        return false;
    bool matched = false;
    for (const PresetRegister& preset : presets) {
        if (wordAddress < 0 || preset.WordAddress != wordAddress || preset.GroupName != reg.GroupName)
            continue;
        TakePreset(reg, preset);
        matched = true;
    }
    UpdateRegisterPreview(reg, false);
    return matched;
}
