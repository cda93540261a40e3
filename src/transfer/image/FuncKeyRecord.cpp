#include "base/ByteWriter.h"
#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/PanelKeys.h"
#include "StringTable.h"
#include "transfer/image/ElementRecordWriters.h"
#include "StringIds.h"

#include <array>

namespace {

constexpr std::uint8_t kFuncKeyRecord = 7;

// Action codes of the record (byte 7): what the panel does with the bytes
// that follow.
enum ActionCode : std::uint8_t {
    WriteOnce = 0,          // set a coil or a register
    ToggleCoil = 1,
    Jump = 2,
    MomentaryCoil = 3,
    WriteWordBit = 4,
    ToggleWordBit = 5,
    MomentaryWordBit = 6,
    PlainAddress = 7,       // without the protocol library
    StepRegister = 8,
};

enum CoilOperation : int { CoilOn = 0, CoilOff = 1, CoilToggle = 2, MomentaryOn = 3, MomentaryOff = 4 };

// The key with what its record is built from: its address, group and the
// checks' element place.
struct KeyBuild {
    ByteWriter& out;
    const ElementRecordContext& context;
    const CFuncKeyElement& key;
    ElementPlace place;
    int address = 0; // 0 without the library
    int groupMode = 0;
    int bit = 0;
    bool wide = false;

    const DeviceCommands& Commands() const { return context.commands; }

    // A failed library call: the key is shown, then the message.
    void Check(bool ok, int messageId) const
    {
        if (!ok)
            context.failures.StopAt(messageId, place, ShowElement::BeforeMessage);
    }
    void Append(const DeviceCommand& command) const { command.AppendTo(out, command.out3); }

    void ReadBitCommand(int start, int count) const
    {
        const DeviceCommand read = Commands().ReadBit(key.GetStation(), start, count);
        Check(read.result >= 0, IdsReadCoilFailed);
        Append(read);
    }
    // [command] and then [out1][out4] of the read.
    void ReadRegisterCommand(int count) const
    {
        const DeviceCommand read = Commands().ReadRegister(key.GetStation(), address, count);
        Check(read.result >= 0, IdsReadRegisterFailed);
        Append(read);
        out.U8(static_cast<std::uint8_t>(read.out1));
        out.U8(static_cast<std::uint8_t>(read.out4));
    }
    void WriteCoilCommand(int value) const
    {
        const DeviceCommand write = Commands().WriteSigleBit(key.GetStation(), address, value);
        Check(write.result >= 0, IdsWriteCoilFailed);
        Append(write);
    }
    DeviceCommand WriteRegisterCommand(const std::uint8_t* values, int count, bool negativeFails = false) const
    {
        const DeviceCommand write = Commands().WriteRegister(key.GetStation(), address, values, count, groupMode);
        Check(negativeFails ? write.result >= 0 : write.result == 0, IdsWriteRegisterFailed);
        Append(write);
        return write;
    }
};

int ActionCodeOf(const CFuncKeyElement& key, bool useLibrary, int groupMode)
{
    if (!useLibrary)
        return PlainAddress;
    const bool coils = groupMode == CoilOrMultiWriteMode;
    switch (key.GetAction()) {
    case CFuncKeyElement::SetCoil:
        if (key.GetCoilOperation() == CoilToggle)
            return coils ? ToggleCoil : ToggleWordBit;
        if (key.GetCoilOperation() == MomentaryOn || key.GetCoilOperation() == MomentaryOff)
            return coils ? MomentaryCoil : MomentaryWordBit;
        return coils ? WriteOnce : WriteWordBit;
    case CFuncKeyElement::ScreenJump:
        return Jump;
    case CFuncKeyElement::Increment:
    case CFuncKeyElement::Decrement:
        return StepRegister;
    default:
        return WriteOnce;
    }
}

// The set value's bytes, most significant first for one 16-bit register;
// for two registers in the device's word order.
std::array<std::uint8_t, 4> SetValueBytes(int value, bool twoRegisters, bool highFront)
{
    const auto v = static_cast<std::uint32_t>(value);
    const std::uint8_t a = v >> 24, b = (v >> 16) & 0xFF, c = (v >> 8) & 0xFF, d = v & 0xFF;
    if (!twoRegisters)
        return {c, d, 0, 0};
    if (highFront)
        return {a, b, c, d};
    return {c, d, a, b};
}

void AppendWriteOnce(const KeyBuild& b)
{
    const CFuncKeyElement& key = b.key;
    b.out.U8(static_cast<std::uint8_t>(16 * key.GetCoilOperation() + 8 * key.GetAction() + 2 * (key.WordSize / 16)
        + key.RegisterCount - 1));
    if (key.GetAction() == CFuncKeyElement::SetCoil) {
        b.WriteCoilCommand(key.GetCoilOperation() == CoilOn ? 1 : 0);
        return;
    }
    const bool single = key.WordSize == 16 && key.RegisterCount == 1;
    const bool pair = key.WordSize == 32 || key.RegisterCount == 2;
    if (!single && !pair)
        return;
    const auto bytes = SetValueBytes(key.SetValue, pair, b.context.doc.HighFront == 1);
    b.WriteRegisterCommand(bytes.data(), pair ? 2 : 1, single);
}

void AppendToggleCoil(const KeyBuild& b)
{
    const int start = b.address - b.address % 16;
    b.ReadBitCommand(start, 16);
    int bit = 0;
    const int position = b.Commands().ReadCoilPosition(start, b.address, bit);
    b.out.U8(static_cast<std::uint8_t>(bit));
    b.out.U8(static_cast<std::uint8_t>(position));
    b.WriteCoilCommand(0);
    b.WriteCoilCommand(1);
}

void AppendJump(const KeyBuild& b)
{
    if (!b.context.doc.FindScreenByNumber(b.key.TargetScreen))
        b.context.failures.StopAt(IdsJumpScreenMissing, b.place, ShowElement::AfterMessage);
    b.out.U16Le(static_cast<std::uint16_t>(b.key.TargetScreen - 1));
}

void AppendMomentaryCoil(const KeyBuild& b)
{
    const int press = b.key.GetCoilOperation() == MomentaryOn ? 1 : 0;
    b.WriteCoilCommand(press);
    b.WriteCoilCommand(1 - press);
}

// Codes 4 to 6: the word is read, its bit changed and written back.
void AppendWordBit(const KeyBuild& b, int code)
{
    const std::uint16_t mask = static_cast<std::uint16_t>(1u << (b.bit & 15));
    const std::uint8_t maskBytes[2] = {static_cast<std::uint8_t>(mask & 0xFF), static_cast<std::uint8_t>(mask >> 8)};
    const std::uint8_t zero[2] = {};
    b.ReadRegisterCommand(1);
    b.out.U8(static_cast<std::uint8_t>(b.bit));
    const auto write = [&](const std::uint8_t* values) {
        b.out.U8(static_cast<std::uint8_t>(b.WriteRegisterCommand(values, 1).out4));
    };
    const int operation = b.key.GetCoilOperation();
    if (code == WriteWordBit) {
        write(operation == CoilOn ? maskBytes : zero);
        b.out.U8(operation == CoilOn ? 1 : 0);
        return;
    }
    // Two writes: a toggle's zero and mask; a momentary key's press and
    // release, the mask first for momentary ON.
    const bool maskFirst = code == MomentaryWordBit && operation == MomentaryOn;
    write(maskFirst ? maskBytes : zero);
    write(maskFirst ? zero : maskBytes);
}

void AppendPlainAddress(const KeyBuild& b)
{
    const CFuncKeyElement& key = b.key;
    const bool toggle = key.GetAction() == CFuncKeyElement::SetCoil && key.GetCoilOperation() == CoilToggle;
    const bool setRegister = key.GetAction() == CFuncKeyElement::SetRegister;
    b.out.U8(toggle ? 2 : setRegister ? 1 : 0);
    b.out.U8(AddressTextByte(key.AddressText));
    if (setRegister) {
        b.out.U8(static_cast<std::uint8_t>(key.RegisterCount - 1));
        AppendValue(b.out, key.SetValue, key.RegisterCount != 1);
        return;
    }
    b.out.U8(static_cast<std::uint8_t>(key.RawLowAddress));
    if (!toggle)
        b.out.U8(key.GetCoilOperation() == CoilOn ? 0xFF : 0);
}

void AppendStep(const KeyBuild& b)
{
    const CFuncKeyElement& key = b.key;
    const int count = b.wide ? 2 : 1;
    b.out.U8(static_cast<std::uint8_t>(2 * (key.WordSize / 16) + key.RegisterCount - 1));
    AppendValue(b.out, key.Limit, b.wide);
    AppendValue(b.out, key.StepValue, b.wide);
    b.ReadRegisterCommand(count);
    const std::uint8_t zeros[4] = {};
    const DeviceCommand write = b.WriteRegisterCommand(zeros, count);
    b.out.U8(static_cast<std::uint8_t>(write.out1));
    b.out.U8(static_cast<std::uint8_t>(write.out4));
}

} // namespace

void AppendFuncKeyRecord(ByteWriter& out, ElementRecordContext& context, int elementIndex,
    const CFuncKeyElement& key)
{
    const AddressTable& table = context.doc.AddressTable;
    const ElementPlace place = context.Place(elementIndex, FuncKeyPage);
    const int address = FindElementAddress(table, key.GroupName, key.ElementName);
    if (address == -1 && key.GetAction() != CFuncKeyElement::ScreenJump) {
        const auto& screen = context.doc.Screens[static_cast<std::size_t>(context.screenIndex)];
        context.failures.StopWithText(screen.Description + StringGbk(IdsButtonAddressBad), &place);
    }

    const bool useLibrary = context.UseLibrary();
    const int groupMode = GetElementGroupMode(table, key.GroupName);
    const int code = ActionCodeOf(key, useLibrary, groupMode);
    const bool wide = IsWideValue(key.RegisterCount, key.WordSize);
    const int format = key.GetDataFormat();

    out.U8(kFuncKeyRecord);
    out.U8(static_cast<std::uint8_t>(key.GetPosition().x));
    out.U8(static_cast<std::uint8_t>(key.GetPosition().y));
    out.U8(static_cast<std::uint8_t>(key.IsPasswordProtected() ? key.PasswordLevel + 1 : 0));
    out.U8(static_cast<std::uint8_t>(GlobalKeyCode(key.GetKey())));
    out.U8(static_cast<std::uint8_t>((key.GetDoubleSize() ? 0x01 : 0) | (key.IsInverse() ? 0x02 : 0)
        | (key.HasHandIcon() ? 0x04 : 0) | (key.IsInvisible() ? 0x08 : 0) | (wide ? 0x10 : 0)
        | NumberFormatCode(format == 0, format == 2) << 5
        | (key.GetAction() == CFuncKeyElement::Decrement ? 0x80 : 0)));
    out.U8(static_cast<std::uint8_t>(FindElementGroupIndex(table, key.GroupName)));
    out.U8(static_cast<std::uint8_t>(code));

    const KeyBuild build{out, context, key, place, useLibrary ? address : 0, groupMode,
        FindElementBit(table, key.GroupName, key.ElementName), wide};
    switch (code) {
    case WriteOnce:
        AppendWriteOnce(build);
        break;
    case ToggleCoil:
        AppendToggleCoil(build);
        break;
    case Jump:
        AppendJump(build);
        break;
    case MomentaryCoil:
        AppendMomentaryCoil(build);
        break;
    case WriteWordBit:
    case ToggleWordBit:
    case MomentaryWordBit:
        AppendWordBit(build, code);
        break;
    case PlainAddress:
        AppendPlainAddress(build);
        break;
    case StepRegister:
        if (key.GetAction() == CFuncKeyElement::Increment && format != 2
            && static_cast<std::uint32_t>(key.StepValue) > static_cast<std::uint32_t>(key.Limit))
            context.failures.Stop(IdsStepAboveUpper);
        AppendStep(build);
        break;
    }
}
