#include "simulator/KeyFunction.h"

#include "base/ValueText.h"
#include "model/GlobalButton.h"
#include "model/elements/CFuncKeyElement.h"

namespace {

// A button's function code by the kinds above.
int ButtonKind(int code)
{
    switch (code) {
    case 0:
        return KeyFunction::Jump;
    case 1:
        return KeyFunction::Coil;
    case 2:
        return KeyFunction::SetRegister;
    default: // increment, decrement and the unknown codes 5 to 7
        return code;
    }
}

} // namespace

KeyFunction FunctionOfKey(const CFuncKeyElement& key)
{
    KeyFunction f;
    f.kind = key.GetAction();
    f.coilAction = key.GetCoilOperation();
    f.dataFormat = key.GetDataFormat();
    f.width = ValueBits(key.WordSize, key.RegisterCount);
    f.station = key.GetStation();
    f.groupName = key.GroupName;
    f.elementName = key.ElementName;
    f.value = static_cast<std::uint32_t>(key.SetValue);
    f.step = static_cast<std::uint32_t>(key.StepValue);
    f.limit = static_cast<std::uint32_t>(key.Limit);
    f.targetScreen = key.TargetScreen;
    return f;
}

KeyFunction FunctionOfButton(const GlobalButton& button)
{
    KeyFunction f;
    f.kind = ButtonKind((button.Function >> 2) & 0x07);
    f.coilAction = (button.Function >> 5) & 0x07;
    f.dataFormat = button.DisplayFormat;
    f.width = ValueBits(button.ElementType, button.RegisterCount);
    f.station = button.Station;
    f.groupName = button.GroupName;
    f.elementName = button.ElementName;
    f.value = static_cast<std::uint32_t>(button.Value);
    f.step = static_cast<std::uint32_t>(button.Step);
    f.limit = static_cast<std::uint32_t>(button.Limit);
    f.targetScreen = button.JumpScreen;
    return f;
}
