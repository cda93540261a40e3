#include "settings/GlobalButtonRules.h"

#include "devices/ElementGroup.h"
#include "model/KeyValueRules.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kFunctionMask = 0x1C;
constexpr std::uint8_t kCoilActionMask = 0xE0;
// Ten characters of HEX as of decimal, leading zeros included.
constexpr DigitLimit kButtonDigits{10, 10};

int GlobalButton::*FieldOf(ValueBox box)
{
    switch (box) {
    case ValueBox::Value:
        return &GlobalButton::Value;
    case ValueBox::Step:
        return &GlobalButton::Step;
    case ValueBox::Limit:
        break;
    }
    return &GlobalButton::Limit;
}

KeyValueFields FieldsOf(const GlobalButton& button)
{
    return {button.Value, button.Step, button.Limit};
}

void StoreFields(GlobalButton& button, const KeyValueFields& fields)
{
    button.Value = fields.value;
    button.Step = fields.step;
    button.Limit = fields.limit;
}

std::optional<std::int64_t> ParseBoxText(const GlobalButton& button, ValueBox box, std::string_view text)
{
    const NumberFormat format = ButtonFormat(button);
    const int bits = ButtonValueBits(button);
    return box == ValueBox::Step ? ParseStepText(text, format, bits, kButtonDigits)
                                 : ParseValueText(text, format, bits, kButtonDigits);
}

} // namespace

int ButtonFunction(const GlobalButton& button)
{
    return (button.Function & kFunctionMask) >> 2;
}

void SetButtonFunction(GlobalButton& button, int code)
{
    button.Function = static_cast<std::uint8_t>((button.Function & ~kFunctionMask) | ((code << 2) & kFunctionMask));
}

int ButtonCoilAction(const GlobalButton& button)
{
    return (button.Function & kCoilActionMask) >> 5;
}

void SetButtonCoilAction(GlobalButton& button, int action)
{
    button.Function =
        static_cast<std::uint8_t>((button.Function & ~kCoilActionMask) | ((action << 5) & kCoilActionMask));
}

int ButtonLowestStation(const GlobalButton& button, int groupMode)
{
    constexpr int kToggle = 2;
    const int function = ButtonFunction(button);
    const bool mayBeZero = function == SetRegisterFunction
        || (function == SetCoilFunction && ButtonCoilAction(button) != kToggle);
    return groupMode == CoilOrMultiWriteMode && mayBeZero ? 0 : 1;
}

NumberFormat ButtonFormat(const GlobalButton& button)
{
    return KeyNumberFormat(button.DisplayFormat);
}

int ButtonValueBits(const GlobalButton& button)
{
    return ValueBits(button.ElementType, button.RegisterCount);
}

std::string ButtonValueText(const GlobalButton& button, ValueBox box)
{
    return FormatValueText(button.*FieldOf(box), ButtonFormat(button), ButtonValueBits(button));
}

bool EditButtonValue(GlobalButton& button, ValueBox box, std::string_view text)
{
    const std::optional<std::int64_t> number = ParseBoxText(button, box, text);
    if (number)
        button.*FieldOf(box) = ValueField(*number);
    return number.has_value();
}

std::optional<std::string> SpinButtonText(const GlobalButton& button, ValueBox box, std::string_view text, int delta)
{
    const NumberFormat format = ButtonFormat(button);
    const int bits = ButtonValueBits(button);
    // The box's number as it reads, whatever a step must be.
    const std::optional<std::int64_t> number = ParseValueText(text, format, bits, kButtonDigits);
    if (!number)
        return std::nullopt;
    const NumberRange range = box == ValueBox::Step ? StepRange(format, bits) : ValueRange(format, bits);
    const std::optional<std::int64_t> moved = range.Step(*number, delta);
    if (!moved)
        return std::nullopt;
    return FormatValueText(ValueField(*moved), format, bits);
}

std::optional<int> ParseRegisterCount(std::string_view text, int elementType, bool nextWordExists)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const std::string_view digits = text.substr(std::min(text.find_first_not_of('0'), text.size()));
    if (digits != "1" && digits != "2")
        return std::nullopt;
    if (digits == "2" && (elementType == 32 || !nextWordExists))
        return std::nullopt;
    return digits[0] - '0';
}

void AdjustButtonRange(GlobalButton& button)
{
    KeyValueFields fields = FieldsOf(button);
    FitKeyValuesToWidth(fields, ButtonFormat(button), ButtonValueBits(button),
        ButtonFunction(button) == IncrementFunction);
    StoreFields(button, fields);
}

void ConvertButtonFormat(GlobalButton& button, NumberFormat format)
{
    KeyValueFields fields = FieldsOf(button);
    ConvertKeyValues(fields, ButtonFormat(button), format, ButtonValueBits(button),
        ButtonFunction(button) == IncrementFunction, FormatChangeRules{true});
    StoreFields(button, fields);
    button.DisplayFormat = static_cast<std::uint8_t>(format);
}
