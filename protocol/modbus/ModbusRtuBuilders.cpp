// The command builders of the Modbus RTU protocol library.

#include "ModbusRtuFrame.h"
#include "ModbusRtuProtocol.h"

#include <type_traits>

using namespace modbus_rtu;

namespace {

// Outputs of one successful build, written only once the command is whole.
struct BuildResult {
    int length;
    int dataPosition; // out4: reply data position of reads, value position of writes
    int replyLength;
};

bool IsByte(int value) { return value >= 0 && value <= 0xFF; }

// The station, and a range of `count` addresses that ends inside the 16-bit
// address space.
bool ValidTarget(int station, int address, int count, int maxCount)
{
    return IsByte(station) && count >= 1 && count <= maxCount && address + count - 1 <= 0xFFFF;
}

// The address from its two bytes; only their low 8 bits count, so an address
// of -1 split into bytes reaches the device as FF FF.
int AddressOf(int addressHigh, int addressLow) { return (addressHigh & 0xFF) * 256 + (addressLow & 0xFF); }

// Station, function code, address and a 16-bit field: the 6-byte head that
// reads and single writes share.
void PutHead(unsigned char* command, int station, FunctionCode code, int address, int field)
{
    command[0] = static_cast<unsigned char>(station);
    command[1] = code;
    command[2] = static_cast<unsigned char>(address >> 8);
    command[3] = static_cast<unsigned char>(address & 0xFF);
    command[4] = static_cast<unsigned char>(field >> 8);
    command[5] = static_cast<unsigned char>(field & 0xFF);
}

// Appends the CRC after `length` bytes; returns the full length.
int PutCrc(unsigned char* command, int length)
{
    AppendCrc16(command, static_cast<std::size_t>(length));
    return length + 2;
}

void Publish(const BuildResult& result, int* out1, int* out2, int* out3, int* out4, unsigned char* aux)
{
    if (out1)
        *out1 = 0;
    if (out2)
        *out2 = result.length;
    if (out3)
        *out3 = result.length;
    if (out4)
        *out4 = result.dataPosition;
    if (aux) {
        aux[0] = static_cast<unsigned char>(result.replyLength & 0xFF);
        aux[1] = static_cast<unsigned char>(result.replyLength >> 8);
    }
}

int BuildRead(FunctionCode code, int station, int addressHigh, int addressLow, int count, int maxCount,
    int replyDataBytes, unsigned char* command, int* out1, int* out2, int* out3, int* out4, unsigned char* aux)
{
    const int address = AddressOf(addressHigh, addressLow);
    if (!command || !ValidTarget(station, address, count, maxCount))
        return -1;
    PutHead(command, station, code, address, count);
    const BuildResult result {PutCrc(command, 6), ReplyDataPosition, ReplyDataPosition + replyDataBytes + 2};
    Publish(result, out1, out2, out3, out4, aux);
    return 0;
}

} // namespace

extern "C" {

int ReadBit(int station, int addressHigh, int addressLow, int bitCount, unsigned char* command, int* out1,
    int* out2, int* out3, int* out4, unsigned char* aux)
{
    return BuildRead(ReadCoils, station, addressHigh, addressLow, bitCount, MaxReadCoils, (bitCount + 7) / 8,
        command, out1, out2, out3, out4, aux);
}

int ReadRegister(int station, int addressHigh, int addressLow, int wordCount, unsigned char* command, int* out1,
    int* out2, int* out3, int* out4, unsigned char* aux)
{
    return BuildRead(ReadHoldingRegisters, station, addressHigh, addressLow, wordCount, MaxReadRegisters,
        2 * wordCount, command, out1, out2, out3, out4, aux);
}

int WriteSigleBit(int station, int addressHigh, int addressLow, int value, unsigned char* command, int* out1,
    int* out2, int* out3, unsigned char* aux)
{
    const int address = AddressOf(addressHigh, addressLow);
    if (!command || (value != 0 && value != 1) || !ValidTarget(station, address, 1, 1))
        return -1;
    PutHead(command, station, WriteSingleCoil, address, value ? 0xFF00 : 0x0000);
    const BuildResult result {PutCrc(command, 6), SingleWriteValuePosition, WriteReplyLength};
    Publish(result, out1, out2, out3, nullptr, aux);
    return 0;
}

int WriteRegister(int station, int addressHigh, int addressLow, const unsigned char* values, int wordCount,
    unsigned char* command, int* out1, int* out2, int* out3, int* out4, unsigned char* aux, int /*groupMode*/)
{
    const int address = AddressOf(addressHigh, addressLow);
    if (!command || !values || !ValidTarget(station, address, wordCount, MaxWriteRegisters))
        return -1;
    BuildResult result {};
    if (wordCount == 1) {
        PutHead(command, station, WriteSingleRegister, address, values[0] * 256 + values[1]);
        result = {PutCrc(command, 6), SingleWriteValuePosition, WriteReplyLength};
    } else {
        PutHead(command, station, WriteMultipleRegisters, address, wordCount);
        command[6] = static_cast<unsigned char>(2 * wordCount);
        for (int i = 0; i < 2 * wordCount; ++i)
            command[MultipleWriteValuePosition + i] = values[i];
        result = {PutCrc(command, MultipleWriteValuePosition + 2 * wordCount), MultipleWriteValuePosition,
            WriteReplyLength};
    }
    Publish(result, out1, out2, out3, out4, aux);
    return 0;
}

} // extern "C"

// Every entry point has exactly the signature the editor looks it up with.
static_assert(std::is_same_v<decltype(&ReadBit), ReadBitFn>);
static_assert(std::is_same_v<decltype(&ReadRegister), ReadRegisterFn>);
static_assert(std::is_same_v<decltype(&WriteSigleBit), WriteSigleBitFn>);
static_assert(std::is_same_v<decltype(&WriteRegister), WriteRegisterFn>);
static_assert(std::is_same_v<decltype(&GetBitStart), GetBitStartFn>);
static_assert(std::is_same_v<decltype(&GetCheckType), GetCheckTypeFn>);
static_assert(std::is_same_v<decltype(&GetHeadAndTail), GetHeadAndTailFn>);
static_assert(std::is_same_v<decltype(&GetIDandAddress), GetIDandAddressFn>);
static_assert(std::is_same_v<decltype(&GetHexCommIns), GetHexCommInsFn>);
static_assert(std::is_same_v<decltype(&GetReadCoilPos), GetReadCoilPosFn>);
static_assert(std::is_same_v<decltype(&GetALMRetAdd), GetALMRetAddFn>);
