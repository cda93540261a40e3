#include "base/ByteWriter.h"
#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CRegisterElement.h"
#include "transfer/PollPositions.h"
#include "transfer/image/ElementRecordWriters.h"
#include "transfer/image/ImageLayout.h"
#include "StringIds.h"

namespace {

constexpr int kWriteOut4Preset = 140;

std::uint8_t FlagsByte(const CRegisterElement& reg, bool wide)
{
    return static_cast<std::uint8_t>((reg.GetDoubleSize() ? 0x01 : 0) | (reg.IsInverse() ? 0x02 : 0)
        | NumberFormatCode(reg.IsHexBcd(), reg.IsSigned()) << 2 | (wide ? 0x10 : 0)
        | (reg.IsPasswordProtected() ? 0x20 : 0) | (reg.IsEngineeringScale() ? 0x40 : 0)
        | (reg.GetAlignment() ? 0x80 : 0));
}

// Raw limits, and the engineering limits with scaling. A register that is
// neither settable nor scaled stores the whole range of its format.
void AppendLimits(ByteWriter& out, const CRegisterElement& reg, bool wide)
{
    int upper = reg.RawUpper;
    int lower = reg.RawLower;
    if (!reg.IsSettable() && !reg.IsEngineeringScale()) {
        if (wide)
            upper = reg.IsSigned() ? 0x7FFFFFFF : -1;
        else
            upper = reg.IsSigned() ? 0x7FFF : 0xFFFF;
        lower = 0;
    }
    AppendValue(out, upper, wide);
    AppendValue(out, lower, wide);
    if (reg.IsEngineeringScale()) {
        AppendValue(out, reg.EngUpper, wide);
        AppendValue(out, reg.EngLower, wide);
    }
}

// The write command of a settable register: the library's WriteRegister of
// zero value bytes as [out3][command][out1][out4], or a fixed marker of the
// value width without the library.
void AppendWriteCommand(ByteWriter& out, const ElementRecordContext& context, const CRegisterElement& reg, bool wide)
{
    if (!context.UseLibrary()) {
        if (wide)
            out.Bytes(std::string_view("\x00\x04\x03", 3));
        else
            out.Bytes(std::string_view("\x00\x03\x00", 3));
        return;
    }
    const AddressTable& table = context.doc.AddressTable;
    const int address = FindElementAddress(table, reg.GroupName, reg.ElementName);
    const std::uint8_t zeros[4] = {};
    const LibraryCommand write = context.commands.WriteRegister(reg.GetStation(), address, zeros, wide ? 2 : 1,
        GetElementGroupMode(table, reg.GroupName), kWriteOut4Preset);
    if (write.result != 0)
        context.failures.Stop(IdsWriteRegisterFailed);
    write.AppendTo(out, write.out3);
    out.U8(static_cast<std::uint8_t>(write.out1));
    out.U8(static_cast<std::uint8_t>(write.out4));
}

} // namespace

void AppendRegisterRecord(ByteWriter& out, ElementRecordContext& context, int elementIndex,
    const CRegisterElement& reg)
{
    const bool wide = IsWideValue(reg.RegisterCount, reg.WordSize);
    const bool isSigned = reg.IsSigned() != 0;
    if (IsBelowLimit(reg.RawUpper, reg.RawLower, isSigned, wide)
        || IsBelowLimit(reg.EngUpper, reg.EngLower, isSigned, wide))
        context.failures.StopAt(IdsLowerAboveUpper, context.Place(elementIndex, RegisterPage),
            ShowElement::AfterMessage);

    int position = kUnpolledPosition;
    if (reg.GetStation() != 0 && !FindWordPollPosition(context.screenIndex, elementIndex, position,
            context.polls.words))
        context.failures.StopAt(IdsRamAddressFailed, context.Place(elementIndex, RegisterPage),
            ShowElement::BeforeMessage);

    const int ordinal = context.tally.registers++;
    context.tally.anySettable = context.tally.anySettable || reg.IsSettable();

    out.U8(RegisterRecord);
    out.U8(static_cast<std::uint8_t>(reg.GetPosition().x));
    out.U8(static_cast<std::uint8_t>(reg.GetPosition().y));
    out.U8(static_cast<std::uint8_t>(reg.IsPasswordProtected() ? reg.PasswordLevel + 1 : 0));
    out.U8(static_cast<std::uint8_t>(reg.RegisterCount - 1));
    out.U8(static_cast<std::uint8_t>(FindElementGroupIndex(context.doc.AddressTable, reg.GroupName)));
    out.U8(reg.IsSettable() ? 1 : 0);
    out.U8(static_cast<std::uint8_t>(position));
    out.U8(FlagsByte(reg, wide));
    out.U8(static_cast<std::uint8_t>(reg.Decimals * 16 + reg.Digits));
    out.U8(static_cast<std::uint8_t>(ordinal));
    AppendLimits(out, reg, wide);
    if (reg.IsSettable())
        AppendWriteCommand(out, context, reg, wide);
}
