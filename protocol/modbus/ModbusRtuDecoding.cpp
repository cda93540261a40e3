// Reply positions and the command decoder of the Modbus RTU protocol library.

#include "ModbusRtuFrame.h"
#include "ModbusRtuProtocol.h"

#include <cstring>

using namespace modbus_rtu;

namespace {

// A read's start address moved to the item that a reply position names;
// -1 when the position lies outside the read's reply.
int ItemAddress(const unsigned char* command, int start, int replyPosition, int bit)
{
    const int count = command[4] * 256 + command[5];
    int offset = 0;
    if (command[1] == ReadCoils) {
        if (replyPosition < ReplyDataPosition || bit < 0 || bit > 7)
            return -1;
        offset = 8 * (replyPosition - ReplyDataPosition) + bit;
    } else {
        const int position = replyPosition >= 0x80 ? replyPosition - 0x80 : replyPosition;
        if (position < ReplyDataPosition)
            return -1;
        offset = (position - ReplyDataPosition) / 2;
    }
    return offset < count ? start + offset : -1;
}

} // namespace

extern "C" {

int GetReadCoilPos(int readStart, int coilAddress, int* bitNumber)
{
    const int offset = coilAddress - readStart;
    if (bitNumber)
        *bitNumber = offset < 0 ? 0 : offset % 8;
    return offset < 0 ? -1 : ReplyDataPosition + offset / 8;
}

int GetALMRetAdd(int readStart, int coilAddress, int* bitNumber)
{
    return GetReadCoilPos(readStart, coilAddress, bitNumber);
}

int GetBitStart(int number) { return number < 0 ? -1 : number % 8; }

int GetHexCommIns(unsigned char* /*aux*/) { return 1; }

int GetCheckType(unsigned char* /*aux*/) { return 1; }

int GetHeadAndTail(int* headLength, unsigned char* /*head*/, int* tailLength, unsigned char* /*tail*/,
    unsigned char* /*aux*/)
{
    if (headLength)
        *headLength = 0;
    if (tailLength)
        *tailLength = 0;
    return 0;
}

int GetIDandAddress(int /*kind*/, const unsigned char* command, int replyPosition, int bit, unsigned char* decoded,
    int* out2, int* out3, int* out4)
{
    if (!command)
        return -1;
    unsigned char result[7] = {command[0], command[2], command[3], 0, 0, 0, 0};
    int count = 0;
    int length = 0;
    switch (command[1]) {
    case EmptyCommand:
        break;
    case ReadCoils:
    case ReadHoldingRegisters: {
        count = command[4] * 256 + command[5];
        length = ShortCommandLength;
        if (replyPosition != 0) {
            const int address = ItemAddress(command, command[2] * 256 + command[3], replyPosition, bit);
            if (address < 0)
                return -1;
            result[1] = static_cast<unsigned char>(address >> 8);
            result[2] = static_cast<unsigned char>(address & 0xFF);
        }
        break;
    }
    case WriteSingleCoil:
        count = 1;
        length = ShortCommandLength;
        result[3] = command[4] == 0xFF ? 1 : 0;
        break;
    case WriteSingleRegister:
        count = 1;
        length = ShortCommandLength;
        result[3] = command[4];
        result[4] = command[5];
        break;
    case WriteMultipleRegisters: {
        count = command[4] * 256 + command[5];
        length = MultipleWriteValuePosition + command[6] + 2;
        const int shown = command[6] < 4 ? command[6] : 4;
        std::memcpy(result + 3, command + MultipleWriteValuePosition, static_cast<std::size_t>(shown));
        break;
    }
    default:
        return -1;
    }
    if (decoded)
        std::memcpy(decoded, result, sizeof result);
    if (out2)
        *out2 = count;
    if (out3)
        *out3 = ReplyDataPosition;
    if (out4)
        *out4 = length;
    return 0;
}

} // extern "C"
