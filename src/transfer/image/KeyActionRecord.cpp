#include "transfer/image/KeyActionRecord.h"

#include "base/ByteWriter.h"
#include "devices/ElementGroup.h"
#include "model/CVX50TextDoc.h"
#include "transfer/image/ElementRecordWriters.h"
#include "StringIds.h"

#include <array>

namespace {

// The bytes are appended by one builder that knows the source and the
// library; each call checks its result before its bytes are stored.
class ActionWriter {
public:
    ActionWriter(ByteWriter& out, const KeyActionSource& source, const KeyActionContext& context)
        : m_out(out), m_source(source), m_context(context)
    {
    }

    void Append(KeyActionCode code)
    {
        switch (code) {
        case WriteOnceCode:
            AppendWriteOnce();
            break;
        case ToggleCoilCode:
            AppendToggleCoil();
            break;
        case JumpCode:
            AppendJump();
            break;
        case MomentaryCoilCode:
            AppendMomentaryCoil();
            break;
        case WriteWordBitCode:
        case ToggleWordBitCode:
        case MomentaryWordBitCode:
            AppendWordBit(code);
            break;
        case StepRegisterCode:
            AppendStep();
            break;
        case NoLibraryCode:
            break;
        }
    }

private:
    const DeviceCommands& Commands() const { return m_context.commands; }
    int Station() const { return m_source.station; }

    void Check(bool ok, int messageId) const
    {
        if (!ok)
            m_context.failures.LibraryCallFailed(messageId);
    }
    void Store(const LibraryCommand& command) const { command.AppendTo(m_out, command.out3); }

    void ReadBitCommand(int start, int count) const
    {
        const LibraryCommand read = Commands().ReadBit(Station(), start, count);
        Check(read.result >= 0, IdsReadCoilFailed);
        Store(read);
    }
    // [command] and then [out1][out4] of the read.
    void ReadRegisterCommand(int count) const
    {
        const LibraryCommand read = Commands().ReadRegister(Station(), m_source.address, count);
        Check(read.result >= 0, IdsReadRegisterFailed);
        Store(read);
        m_out.U8(static_cast<std::uint8_t>(read.out1));
        m_out.U8(static_cast<std::uint8_t>(read.out4));
    }
    void WriteCoilCommand(int value) const
    {
        const LibraryCommand write = Commands().WriteSigleBit(Station(), m_source.address, value);
        Check(write.result >= 0, IdsWriteCoilFailed);
        Store(write);
    }
    LibraryCommand WriteRegisterCommand(const std::uint8_t* values, int count, bool acceptPositive = false) const
    {
        const LibraryCommand write
            = Commands().WriteRegister(Station(), m_source.address, values, count, m_source.groupMode);
        Check(acceptPositive ? write.result >= 0 : write.result == 0, IdsWriteRegisterFailed);
        Store(write);
        return write;
    }

    // The set value's bytes: most significant first for one 16-bit register;
    // for two registers in the device's word order.
    std::array<std::uint8_t, 4> SetValueBytes() const
    {
        const auto v = static_cast<std::uint32_t>(m_source.setValue);
        const std::uint8_t a = v >> 24, b = (v >> 16) & 0xFF, c = (v >> 8) & 0xFF, d = v & 0xFF;
        if (!m_source.wide)
            return {c, d, 0, 0};
        if (m_context.doc.HighFront == 1)
            return {a, b, c, d};
        return {c, d, a, b};
    }

    // [descriptor][command]: a coil's single write or the set value's write.
    void AppendWriteOnce() const
    {
        const bool setRegister = m_source.action == SetRegisterAction;
        m_out.U8(static_cast<std::uint8_t>(16 * m_source.coilOperation + 8 * (setRegister ? 1 : 0)
            + 2 * (m_source.wordSize / 16) + m_source.registerCount - 1));
        if (!setRegister) {
            WriteCoilCommand(m_source.coilOperation == CoilOn ? 1 : 0);
            return;
        }
        const auto bytes = SetValueBytes();
        WriteRegisterCommand(bytes.data(), m_source.wide ? 2 : 1,
            m_context.singleSetValueAcceptsPositive && !m_source.wide);
    }

    // [read of the 16 coils around it][bit][reply byte][write 0][write 1].
    void AppendToggleCoil() const
    {
        const int start = m_source.address - m_source.address % 16;
        ReadBitCommand(start, 16);
        int bit = 0;
        const int position = Commands().ReadCoilPosition(start, m_source.address, bit);
        m_out.U8(static_cast<std::uint8_t>(bit));
        m_out.U8(static_cast<std::uint8_t>(position));
        WriteCoilCommand(0);
        WriteCoilCommand(1);
    }

    void AppendJump() const
    {
        if (!m_context.doc.FindScreenByNumber(m_source.targetScreen))
            m_context.failures.JumpTargetMissing();
        m_out.U16Le(static_cast<std::uint16_t>(m_source.targetScreen - 1));
    }

    // [press write][release write].
    void AppendMomentaryCoil() const
    {
        const int press = m_source.coilOperation == MomentaryOn ? 1 : 0;
        WriteCoilCommand(press);
        WriteCoilCommand(1 - press);
    }

    // Codes 4 to 6: the word is read, its bit changed and written back.
    void AppendWordBit(KeyActionCode code) const
    {
        const auto mask = static_cast<std::uint16_t>(1u << (m_source.bit & 15));
        const std::uint8_t maskBytes[2] = {static_cast<std::uint8_t>(mask & 0xFF),
            static_cast<std::uint8_t>(mask >> 8)};
        const std::uint8_t zero[2] = {};
        ReadRegisterCommand(1);
        m_out.U8(static_cast<std::uint8_t>(m_source.bit));
        const auto write = [&](const std::uint8_t* values) {
            m_out.U8(static_cast<std::uint8_t>(WriteRegisterCommand(values, 1).out4));
        };
        const int operation = m_source.coilOperation;
        if (code == WriteWordBitCode) {
            write(operation == CoilOn ? maskBytes : zero);
            m_out.U8(operation == CoilOn ? 1 : 0);
            return;
        }
        // Two writes: a toggle's zero and mask; a momentary key's press and
        // release, the mask first for momentary ON.
        const bool maskFirst = code == MomentaryWordBitCode && operation == MomentaryOn;
        write(maskFirst ? maskBytes : zero);
        write(maskFirst ? zero : maskBytes);
    }

    // [count code][limit][step][read][out1][out4][write of zero][out1][out4].
    void AppendStep() const
    {
        const int count = m_source.wide ? 2 : 1;
        m_out.U8(static_cast<std::uint8_t>(2 * (m_source.wordSize / 16) + m_source.registerCount - 1));
        AppendValue(m_out, m_source.limit, m_source.wide);
        AppendValue(m_out, m_source.step, m_source.wide);
        ReadRegisterCommand(count);
        const std::uint8_t zeros[4] = {};
        const LibraryCommand write = WriteRegisterCommand(zeros, count);
        m_out.U8(static_cast<std::uint8_t>(write.out1));
        m_out.U8(static_cast<std::uint8_t>(write.out4));
    }

    ByteWriter& m_out;
    const KeyActionSource& m_source;
    const KeyActionContext& m_context;
};

} // namespace

KeyActionCode ActionCodeOf(int action, int coilOperation, int groupMode)
{
    const bool coils = groupMode == CoilOrMultiWriteMode;
    switch (action) {
    case SetCoilAction:
        if (coilOperation == CoilToggle)
            return coils ? ToggleCoilCode : ToggleWordBitCode;
        if (coilOperation == MomentaryOn || coilOperation == MomentaryOff)
            return coils ? MomentaryCoilCode : MomentaryWordBitCode;
        return coils ? WriteOnceCode : WriteWordBitCode;
    case JumpAction:
        return JumpCode;
    case IncrementAction:
    case DecrementAction:
        return StepRegisterCode;
    default:
        return WriteOnceCode;
    }
}

bool HasSetRegisterWrite(int wordSize, int registerCount)
{
    const bool single = wordSize == 16 && registerCount == 1;
    const bool pair = wordSize == 32 || registerCount == 2;
    return single || pair;
}

bool StepAboveLimit(int step, int limit, int format)
{
    return format != 2 && static_cast<std::uint32_t>(step) > static_cast<std::uint32_t>(limit);
}

void AppendKeyActionBytes(ByteWriter& out, KeyActionCode code, const KeyActionSource& source,
    const KeyActionContext& context)
{
    ActionWriter(out, source, context).Append(code);
}
