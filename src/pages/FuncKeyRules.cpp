#include "pages/FuncKeyRules.h"

#include "model/elements/CFuncKeyElement.h"
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

bool IsIncrement(const CFuncKeyElement& key)
{
    return key.GetAction() == CFuncKeyElement::Increment;
}

KeyValueFields FieldsOf(const CFuncKeyElement& key)
{
    return {key.SetValue, key.StepValue, key.Limit};
}

void StoreFields(CFuncKeyElement& key, const KeyValueFields& fields)
{
    key.SetValue = fields.value;
    key.StepValue = fields.step;
    key.Limit = fields.limit;
}

} // namespace

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
    return KeyNumberFormat(key.GetDataFormat());
}

int FuncKeyValueBits(const CFuncKeyElement& key)
{
    return ValueBits(key.WordSize, key.RegisterCount);
}

void ResetFuncKeyLimit(CFuncKeyElement& key)
{
    key.Limit = ValueField(DefaultKeyLimit(IsIncrement(key), FuncKeyFormat(key), FuncKeyValueBits(key)));
}

void FitFuncKeyValuesToWidth(CFuncKeyElement& key)
{
    KeyValueFields fields = FieldsOf(key);
    FitKeyValuesToWidth(fields, FuncKeyFormat(key), FuncKeyValueBits(key), IsIncrement(key));
    StoreFields(key, fields);
}

void ConvertFuncKeyFormat(CFuncKeyElement& key, NumberFormat format)
{
    KeyValueFields fields = FieldsOf(key);
    ConvertKeyValues(fields, FuncKeyFormat(key), format, FuncKeyValueBits(key), IsIncrement(key));
    StoreFields(key, fields);
    key.SetDataFormat(static_cast<int>(format));
}
