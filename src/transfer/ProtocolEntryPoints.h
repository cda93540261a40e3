#pragma once

/*
 * The C entry points that every device protocol library exports, by these
 * exact names: "ReadBit", "ReadRegister", "WriteSigleBit", "WriteRegister",
 * "GetBitStart", "GetCheckType", "GetHeadAndTail", "GetIDandAddress",
 * "GetHexCommIns", "GetReadCoilPos" and "GetALMRetAdd".
 *
 * A library builds and decodes device command bytes; it never sends
 * anything. The editor relies on these outputs of every library:
 *  - a command starts at the command buffer's first byte;
 *  - aux is a 255-byte buffer shared by the calls of one exchange; its first
 *    two bytes, low byte first, are the length of the reply the device sends;
 *  - out1 of a builder is the reply's data format code;
 *  - out2 of every builder is the command's length in bytes (what is sent);
 *  - out3 of every builder is the command's length as the panel image stores
 *    it for function keys, global buttons and register writes;
 *  - out4 of a read is the position of the first data byte in the reply.
 * Each library's own header states the rest of its contract.
 *
 * Plain C so that a library written in any language can provide it.
 */

#ifdef __cplusplus
extern "C" {
#endif

typedef int (*ReadBitFn)(int station, int addressHigh, int addressLow, int bitCount, unsigned char* command,
    int* out1, int* out2, int* out3, int* out4, unsigned char* aux);
typedef int (*ReadRegisterFn)(int station, int addressHigh, int addressLow, int wordCount,
    unsigned char* command, int* out1, int* out2, int* out3, int* out4, unsigned char* aux);
typedef int (*WriteSigleBitFn)(int station, int addressHigh, int addressLow, int value, unsigned char* command,
    int* out1, int* out2, int* out3, unsigned char* aux);
typedef int (*WriteRegisterFn)(int station, int addressHigh, int addressLow, const unsigned char* values,
    int wordCount, unsigned char* command, int* out1, int* out2, int* out3, int* out4, unsigned char* aux,
    int groupMode);
typedef int (*GetBitStartFn)(int number);
typedef int (*GetCheckTypeFn)(unsigned char* aux);
typedef int (*GetHeadAndTailFn)(int* headLength, unsigned char* head, int* tailLength, unsigned char* tail,
    unsigned char* aux);
typedef int (*GetIDandAddressFn)(int kind, const unsigned char* command, int replyPosition, int bit,
    unsigned char* decoded, int* out2, int* out3, int* out4);
typedef int (*GetHexCommInsFn)(unsigned char* aux);
typedef int (*GetReadCoilPosFn)(int readStart, int coilAddress, int* bitNumber);
typedef int (*GetALMRetAddFn)(int readStart, int coilAddress, int* bitNumber);

#ifdef __cplusplus
}
#endif
