#include "transfer/image/GlobalButtonRecord.h"

#include "base/ByteWriter.h"
#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "transfer/image/ElementRecordWriters.h"
#include "transfer/image/ImageLayout.h"
#include "transfer/image/HeaderFailures.h"
#include "transfer/image/KeyActionRecord.h"
#include "StringIds.h"

#include <array>
#include <optional>

namespace {

// Function codes of GlobalButton::Function (bits 2-4).
enum ButtonFunction : int { JumpFunction = 0, SetCoilFunction = 1, SetRegisterFunction = 2, IncrementFunction = 3,
    DecrementFunction = 4 };

int FunctionCode(const GlobalButton& button)
{
    return (button.Function >> 2) & 0x07;
}

int CoilAction(const GlobalButton& button)
{
    return (button.Function >> 5) & 0x07;
}

// The function as a key action; nothing for a code no function has.
std::optional<int> ActionOf(int function)
{
    switch (function) {
    case JumpFunction:
        return JumpAction;
    case SetCoilFunction:
        return SetCoilAction;
    case SetRegisterFunction:
        return SetRegisterAction;
    case IncrementFunction:
        return IncrementAction;
    case DecrementFunction:
        return DecrementAction;
    default:
        return std::nullopt;
    }
}

class ButtonFailures : public KeyActionFailures {
public:
    [[noreturn]] void LibraryCallFailed(int messageId) const override { FailHeader(messageId); }
    [[noreturn]] void JumpTargetMissing() const override { FailHeader(IdsJumpScreenMissing); }
};

// Bit 7 decrement (bit 4 of the function byte); bits 6-5 number format; bit 4
// 32-bit value; bit 3 always; bits 1-0 the port.
std::uint8_t FlagsByte(const GlobalButton& button)
{
    return static_cast<std::uint8_t>(((button.Function & 0x10) ? 0x80 : 0)
        | NumberFormatCode(button.DisplayFormat == 0, button.DisplayFormat == 2) << 5
        | (button.HasSingleWordValues() ? 0 : 0x10) | 0x08 | (button.Port & 0x03));
}

} // namespace

void AppendGlobalButtonRecord(ByteWriter& out, const GlobalButton& button, const CVX50TextDoc& doc,
    const DeviceCommands& commands)
{
    const AddressTable& table = doc.AddressTable;
    const std::optional<int> action = ActionOf(FunctionCode(button));
    const int groupMode = GetElementGroupMode(table, button.GroupName);
    // A button whose function code names no function does nothing.
    const KeyActionCode code = doc.UseProtocolLibrary == 1 && action
        ? ActionCodeOf(*action, CoilAction(button), groupMode)
        : NoLibraryCode;
    if (code == StepRegisterCode && action == IncrementAction
        && StepAboveLimit(button.Step, button.Limit, button.DisplayFormat))
        FailHeader(IdsGlobalButtonStepAboveUpper);

    for (const std::uint8_t b : kGlobalButtonHead)
        out.U8(b);
    const bool isProtected = (button.Flags & GlobalButton::ProtectedFlag) != 0;
    out.U8(static_cast<std::uint8_t>(isProtected ? button.UserLevel + 1 : 0));
    out.U8(static_cast<std::uint8_t>(button.KeyCode));
    out.U8(FlagsByte(button));
    out.U8(static_cast<std::uint8_t>(FindElementGroupIndex(table, button.GroupName)));
    out.U8(code);
    if (code == NoLibraryCode)
        return;

    KeyActionSource source;
    source.action = *action;
    source.coilOperation = CoilAction(button);
    source.station = button.Station;
    source.address = FindElementAddress(table, button.GroupName, button.ElementName);
    source.groupMode = groupMode;
    source.bit = FindElementBit(table, button.GroupName, button.ElementName);
    source.wordSize = button.ElementType;
    source.registerCount = button.RegisterCount;
    source.wide = !button.HasSingleWordValues();
    source.setValue = button.Value;
    source.step = button.Step;
    source.limit = button.Limit;
    source.targetScreen = button.JumpScreen;
    const ButtonFailures failures;
    AppendKeyActionBytes(out, code, source, {doc, commands, failures, false});
}
