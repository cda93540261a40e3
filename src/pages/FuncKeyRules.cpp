#include "pages/FuncKeyRules.h"

#include "StringTable.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/PanelKeys.h"
#include "pages/DisplayFit.h"

#include <algorithm>

namespace {

constexpr int kToggleCoil = 2;
constexpr int kKeyHeight = 16;
constexpr char kPanelRegisterGroup[] = "VX-D";

DotBox KeptOnDisplay(DotBox box)
{
    box.x = PullInside(box.x, box.w, kDisplayWidth);
    box.y = PullInside(box.y, box.h, kDisplayHeight);
    return box;
}

// Whether a stored field counts as negative at the key's width.
bool IsNegative(std::int32_t field, int bits)
{
    return bits == 16 ? (field & 0x8000) != 0 : field < 0;
}

// A field brought from `from` into an unsigned format (unsigned or HEX): a
// negative signed number becomes `negativeBecomes`; HEX keeps 16 bits of a
// 16-bit value.
std::int32_t ToUnsigned(std::int32_t field, NumberFormat from, NumberFormat to, int bits, std::int32_t negativeBecomes)
{
    if (from == NumberFormat::Signed && IsNegative(field, bits))
        return negativeBecomes;
    return to == NumberFormat::Hex && bits == 16 ? (field & 0xFFFF) : field;
}

std::int32_t ToSigned(std::int32_t field, int bits)
{
    const std::int64_t max = ValueRange(NumberFormat::Signed, bits).max;
    return FieldValue(field, NumberFormat::Unsigned) > max ? ValueField(max) : field;
}

} // namespace

int KeyCodeOfName(const std::string& gbkName)
{
    for (int key = 0; key < kPanelKeyCount; ++key)
        if (StringGbk(PanelKey(key)->nameId) == gbkName)
            return key;
    return -1;
}

int FuncKeyLowestStation(int action, int coilOperation, int groupMode)
{
    if (action == CFuncKeyElement::SetRegister)
        return 0;
    if (action == CFuncKeyElement::SetCoil && coilOperation != kToggleCoil && groupMode == CoilOrMultiWriteMode)
        return 0;
    return 1;
}

AddressNames ActionStartAddress(const AddressTable& table, int width, const std::string& currentGroup)
{
    const auto group = std::find_if(table.begin(), table.end(), [width](const ElementGroup& g) {
        return g.elementType == width;
    });
    if (group == table.end())
        return {width == 0 ? currentGroup : kPanelRegisterGroup, "0"};
    return {group->name, group->elements.empty() ? "0" : group->elements.front().name};
}

DotBox FuncKeyBoxWithHand(DotBox box, bool on)
{
    box.w = on ? box.w * 2 : box.w / 2;
    return KeptOnDisplay(box);
}

DotBox FuncKeyBoxWithDoubleSize(DotBox box, bool on)
{
    box.w = on ? box.w * 2 : box.w / 2;
    box.h = on ? box.h * 2 : kKeyHeight;
    return KeptOnDisplay(box);
}

NumberFormat FuncKeyFormat(const CFuncKeyElement& key)
{
    switch (key.GetDataFormat()) {
    case 0:
        return NumberFormat::Hex;
    case 2:
        return NumberFormat::Signed;
    default:
        return NumberFormat::Unsigned;
    }
}

int FuncKeyValueBits(const CFuncKeyElement& key)
{
    return ValueBits(key.WordSize, key.RegisterCount);
}

std::int64_t DefaultFuncKeyLimit(int action, NumberFormat format, int bits)
{
    const NumberRange range = ValueRange(format, bits);
    return action == CFuncKeyElement::Increment ? range.max : range.min;
}

void ResetFuncKeyLimit(CFuncKeyElement& key)
{
    key.Limit = ValueField(DefaultFuncKeyLimit(key.GetAction(), FuncKeyFormat(key), FuncKeyValueBits(key)));
}

std::optional<std::int64_t> ParseFuncKeyStep(std::string_view text, NumberFormat format, int bits)
{
    const std::optional<std::int64_t> step = ParseValueText(text, format, bits);
    if (!step || *step <= 0)
        return std::nullopt;
    return step;
}

NumberRange FuncKeyStepRange(NumberFormat format, int bits)
{
    return {1, ValueRange(format, bits).max};
}

void FitFuncKeyValuesToWidth(CFuncKeyElement& key)
{
    const NumberFormat format = FuncKeyFormat(key);
    const int bits = FuncKeyValueBits(key);
    if (bits == 16) {
        const NumberRange range = ValueRange(format, 16);
        key.SetValue = ValueField(range.Clamp(FieldValue(key.SetValue, format)));
        key.StepValue = ValueField(range.Clamp(FieldValue(key.StepValue, format)));
    }
    ResetFuncKeyLimit(key);
}

void ConvertFuncKeyFormat(CFuncKeyElement& key, NumberFormat format)
{
    const NumberFormat from = FuncKeyFormat(key);
    if (format == from)
        return;
    const int bits = FuncKeyValueBits(key);
    if (format == NumberFormat::Signed) {
        key.SetValue = ToSigned(key.SetValue, bits);
        key.StepValue = ToSigned(key.StepValue, bits);
    } else {
        key.SetValue = ToUnsigned(key.SetValue, from, format, bits, 0);
        key.StepValue = ToUnsigned(key.StepValue, from, format, bits, 1);
    }
    key.SetDataFormat(static_cast<int>(format));
    ResetFuncKeyLimit(key);
}
