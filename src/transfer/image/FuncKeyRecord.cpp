#include "StringIds.h"
#include "base/ByteWriter.h"
#include "base/StringTable.h"
#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/PanelKeys.h"
#include "transfer/image/ElementRecordWriters.h"
#include "transfer/image/ImageLayout.h"
#include "transfer/image/KeyActionRecord.h"

namespace {

// The shared action numbers are the key's own.
static_assert(int{SetCoilAction} == CFuncKeyElement::SetCoil && int{SetRegisterAction} == CFuncKeyElement::SetRegister
    && int{JumpAction} == CFuncKeyElement::ScreenJump && int{IncrementAction} == CFuncKeyElement::Increment
    && int{DecrementAction} == CFuncKeyElement::Decrement);

// A failed check of a key: a library call's message shows the key first, a
// missing jump target after its message.
class KeyFailures : public KeyActionFailures {
public:
    KeyFailures(const BuildFailures& failures, const ElementPlace& place) : m_failures(failures), m_place(place) {}

    [[noreturn]] void LibraryCallFailed(int messageId) const override
    {
        m_failures.StopAt(messageId, m_place, ShowElement::BeforeMessage);
    }
    [[noreturn]] void JumpTargetMissing() const override
    {
        m_failures.StopAt(IdsJumpScreenMissing, m_place, ShowElement::AfterMessage);
    }

private:
    const BuildFailures& m_failures;
    ElementPlace m_place;
};

// The screen's description followed by the text of `messageId`, then the key
// is shown.
[[noreturn]] void StopAtKey(const ElementRecordContext& context, const ElementPlace& place, int messageId)
{
    const auto& screen = context.doc.Screens[static_cast<std::size_t>(context.screenIndex)];
    context.failures.StopWithText(screen.Description + StringGbk(messageId), &place);
}

// Without the protocol library: [kind][address][...] with the key's own
// address text and bit byte; kind 2 toggles a coil, 1 sets a register, 0
// sets or resets a coil.
void AppendNoLibraryBytes(ByteWriter& out, const CFuncKeyElement& key)
{
    const bool toggle = key.GetAction() == CFuncKeyElement::SetCoil && key.GetCoilOperation() == CoilToggle;
    const bool setRegister = key.GetAction() == CFuncKeyElement::SetRegister;
    out.U8(toggle ? 2 : setRegister ? 1 : 0);
    out.U8(AddressTextByte(key.AddressText));
    if (setRegister) {
        out.U8(static_cast<std::uint8_t>(key.RegisterCount - 1));
        AppendValue(out, key.SetValue, key.RegisterCount != 1);
        return;
    }
    out.U8(static_cast<std::uint8_t>(key.RawLowAddress));
    if (!toggle)
        out.U8(key.GetCoilOperation() == CoilOn ? 0xFF : 0);
}

} // namespace

void AppendFuncKeyRecord(ByteWriter& out, ElementRecordContext& context, int elementIndex,
    const CFuncKeyElement& key)
{
    const AddressTable& table = context.doc.AddressTable;
    const ElementPlace place = context.Place(elementIndex, FuncKeyPage);
    const int address = FindElementAddress(table, key.GroupName, key.ElementName);
    if (address == -1 && key.GetAction() != CFuncKeyElement::ScreenJump)
        StopAtKey(context, place, IdsButtonAddressBad);

    const bool useLibrary = context.UseLibrary();
    const int groupMode = GetElementGroupMode(table, key.GroupName);
    const KeyActionCode code
        = useLibrary ? ActionCodeOf(key.GetAction(), key.GetCoilOperation(), groupMode) : NoLibraryCode;
    // A set value that fits neither write (a bit element's word size 0 with
    // one register) would leave the record without its command, and the
    // panel would read the next record's bytes as one.
    if (code == WriteOnceCode && key.GetAction() == CFuncKeyElement::SetRegister
        && !HasSetRegisterWrite(key.WordSize, key.RegisterCount))
        StopAtKey(context, place, IdsSetRegisterKeyWordSizeBad);
    const bool wide = IsWideValue(key.RegisterCount, key.WordSize);
    const int format = key.GetDataFormat();
    if (code == StepRegisterCode && key.GetAction() == CFuncKeyElement::Increment
        && StepAboveLimit(key.StepValue, key.Limit, format))
        context.failures.Stop(IdsStepAboveUpper);

    out.U8(FuncKeyRecord);
    out.U8(static_cast<std::uint8_t>(key.GetPosition().x));
    out.U8(static_cast<std::uint8_t>(key.GetPosition().y));
    out.U8(static_cast<std::uint8_t>(key.IsPasswordProtected() ? key.PasswordLevel + 1 : 0));
    out.U8(static_cast<std::uint8_t>(GlobalKeyCode(key.GetKey())));
    out.U8(static_cast<std::uint8_t>((key.GetDoubleSize() ? 0x01 : 0) | (key.IsInverse() ? 0x02 : 0)
        | (key.HasHandIcon() ? 0x04 : 0) | (key.IsInvisible() ? 0x08 : 0) | (wide ? 0x10 : 0)
        | NumberFormatCode(format == 0, format == 2) << 5
        | (key.GetAction() == CFuncKeyElement::Decrement ? 0x80 : 0)));
    out.U8(static_cast<std::uint8_t>(FindElementGroupIndex(table, key.GroupName)));
    out.U8(code);

    if (code == NoLibraryCode) {
        AppendNoLibraryBytes(out, key);
        return;
    }
    KeyActionSource source;
    source.action = key.GetAction();
    source.coilOperation = key.GetCoilOperation();
    source.station = key.GetStation();
    source.address = address;
    source.groupMode = groupMode;
    source.bit = FindElementBit(table, key.GroupName, key.ElementName);
    source.wordSize = key.WordSize;
    source.registerCount = key.RegisterCount;
    source.wide = wide;
    source.setValue = key.SetValue;
    source.step = key.StepValue;
    source.limit = key.Limit;
    source.targetScreen = key.TargetScreen;
    const KeyFailures failures(context.failures, place);
    AppendKeyActionBytes(out, code, source, {context.doc, context.commands, failures, true});
}
