#include "transfer/image/KeyActionReader.h"

#include "base/FormatError.h"

namespace {

constexpr std::uint8_t kWideFlag = 0x10;
constexpr std::uint8_t kDecrementFlag = 0x80;
constexpr int kSignedFormat = 3;

// Sub-codes of the records written without the library.
enum NoLibraryKind : int { NoLibraryCoil = 0, NoLibraryRegister = 1, NoLibraryToggle = 2 };

class ActionReader {
public:
    ActionReader(ByteReader& in, const KeyActionFormat& format, const CommandDecoder& decoder)
        : m_in(in), m_format(format), m_decoder(decoder)
    {
    }

    KeyActionRead Read(int code)
    {
        switch (code) {
        case WriteOnceCode:
            ReadWriteOnce();
            break;
        case ToggleCoilCode:
            ReadToggleCoil();
            break;
        case JumpCode:
            m_read.action = JumpAction;
            m_read.wordSize = Wide() ? 0 : 16;
            m_read.targetScreen = m_in.U16Le();
            break;
        case MomentaryCoilCode:
            ReadMomentaryCoil();
            break;
        case WriteWordBitCode:
        case ToggleWordBitCode:
        case MomentaryWordBitCode:
            ReadWordBit(code);
            break;
        case NoLibraryCode:
            ReadNoLibrary();
            break;
        case StepRegisterCode:
            ReadStep();
            break;
        default:
            throw FormatError("key action code " + std::to_string(code));
        }
        return m_read;
    }

private:
    bool Wide() const { return (m_format.flags & kWideFlag) != 0; }
    bool Signed() const { return ((m_format.flags >> 5) & 3) == kSignedFormat; }

    void TakeAddress(const DecodedCommand& decoded)
    {
        m_read.station = decoded.Station();
        m_read.address = decoded.Address();
    }

    // Descriptor bits: 0 register count - 1, 1-2 word size / 16.
    void ReadDescriptor(int descriptor)
    {
        m_read.registerCount = (descriptor & 1) + 1;
        m_read.wordSize = 16 * ((descriptor >> 1) & 3);
    }
    bool SingleRegister() const { return m_read.registerCount == 1 && m_read.wordSize == 16; }

    // A written value as the decoder gives it: one 16-bit register high byte
    // first; 32 bits in the device's word order.
    int WrittenValue(const DecodedCommand& decoded) const
    {
        const auto& o = decoded.out1;
        if (SingleRegister()) {
            const int value = o[3] << 8 | o[4];
            return Signed() ? static_cast<std::int16_t>(value) : value;
        }
        const std::uint32_t high = m_format.highFront == 1 ? (o[3] << 8 | o[4]) : (o[5] << 8 | o[6]);
        const std::uint32_t low = m_format.highFront == 1 ? (o[5] << 8 | o[6]) : (o[3] << 8 | o[4]);
        return static_cast<int>(high << 16 | low);
    }

    // [descriptor][write]: bit 3 of the descriptor sets a register, else a
    // coil whose operation is bit 4.
    void ReadWriteOnce()
    {
        const int descriptor = m_in.U8();
        const std::string write = ReadCommand(m_in);
        if (descriptor & 0x08) {
            ReadDescriptor(descriptor);
            m_read.action = SetRegisterAction;
            const DecodedCommand decoded = m_decoder.Decode(1, write);
            TakeAddress(decoded);
            m_read.value = WrittenValue(decoded);
            return;
        }
        const DecodedCommand decoded = m_decoder.Decode(m_format.functionKey ? 3 : 1, write);
        TakeAddress(decoded);
        if (m_format.functionKey)
            m_read.coilOperation = decoded.out1[3] == 1 ? CoilOn : CoilOff;
        else
            m_read.coilOperation = (descriptor & 0x10) ? CoilOff : CoilOn;
    }

    // [read of 16 coils][bit][reply byte][write 0][write 1].
    void ReadToggleCoil()
    {
        const std::string read = ReadCommand(m_in);
        const int bit = m_in.U8();
        const int position = m_in.U8();
        ReadCommand(m_in);
        ReadCommand(m_in);
        TakeAddress(m_decoder.Decode(0, read, position, bit));
        m_read.coilOperation = CoilToggle;
    }

    // [press write][release write]: the press sets the coil for momentary ON.
    void ReadMomentaryCoil()
    {
        const DecodedCommand press = m_decoder.Decode(1, ReadCommand(m_in));
        ReadCommand(m_in);
        TakeAddress(press);
        m_read.coilOperation = press.out1[3] == 1 ? MomentaryOn : MomentaryOff;
    }

    // [read][out1][out4][bit][write][out4], then [on] (code 4) or a second
    // [write][out4]. The first write's value tells ON from OFF: whether it
    // sets the bit.
    void ReadWordBit(int code)
    {
        ReadCommand(m_in);
        m_in.Skip(2);
        m_read.bit = m_in.U8() & 15;
        const DecodedCommand first = m_decoder.Decode(1, ReadCommand(m_in));
        m_in.U8();
        if (code == WriteWordBitCode) {
            m_in.U8();
        } else {
            ReadCommand(m_in);
            m_in.U8();
        }
        TakeAddress(first);
        const bool sets = ((first.out1[3] | first.out1[4] << 8) >> m_read.bit & 1) != 0;
        if (code == ToggleWordBitCode)
            m_read.coilOperation = CoilToggle;
        else if (code == MomentaryWordBitCode)
            m_read.coilOperation = sets ? MomentaryOn : MomentaryOff;
        else
            m_read.coilOperation = sets ? CoilOn : CoilOff;
    }

    // Function keys only: [kind][address], then [low address][0xFF or 0] for
    // a coil, [register count - 1][value] for a register, [low address] for
    // a toggle. Global buttons end at their action code.
    void ReadNoLibrary()
    {
        m_read.withoutLibrary = true;
        if ((m_format.flags & kDecrementFlag) != 0)
            m_read.action = DecrementAction;
        if (!m_format.functionKey) {
            m_read.wordSize = Wide() ? 0 : 16;
            return;
        }
        const int kind = m_in.U8();
        m_read.addressByte = m_in.U8();
        if (kind == NoLibraryRegister) {
            m_read.action = SetRegisterAction;
            m_read.registerCount = m_in.U8() + 1;
            const bool wide = m_read.registerCount != 1;
            m_read.wordSize = Wide() && !wide ? 32 : 16;
            m_read.value = ReadValue(m_in, wide, Signed());
            return;
        }
        m_read.wordSize = Wide() ? 0 : 16;
        m_read.lowAddressByte = m_in.U8();
        if (kind == NoLibraryCoil)
            m_read.coilOperation = m_in.U8() == 0xFF ? CoilOn : CoilOff;
        else
            m_read.coilOperation = CoilToggle;
    }

    // [descriptor][limit][step][read][out1][out4][write][out1][out4].
    void ReadStep()
    {
        ReadDescriptor(m_in.U8());
        m_read.action = (m_format.flags & kDecrementFlag) ? DecrementAction : IncrementAction;
        m_read.limit = ReadValue(m_in, !SingleRegister(), Signed());
        m_read.step = ReadValue(m_in, !SingleRegister(), Signed());
        ReadCommand(m_in);
        m_in.Skip(2);
        const std::string write = ReadCommand(m_in);
        m_in.Skip(2);
        TakeAddress(m_decoder.Decode(0, write));
    }

    ByteReader& m_in;
    const KeyActionFormat& m_format;
    const CommandDecoder& m_decoder;
    KeyActionRead m_read;
};

} // namespace

KeyActionRead ReadKeyAction(ByteReader& in, int code, const KeyActionFormat& format, const CommandDecoder& decoder)
{
    return ActionReader(in, format, decoder).Read(code);
}
