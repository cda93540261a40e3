#pragma once

/*
 * Modbus RTU protocol library ("ModBus Slave.dll" in projects and device
 * files). Builds and decodes Modbus RTU frames:
 *   [station][function code][payload][CRC-16 low][CRC-16 high]
 * with function codes 01 (read coils), 03 (read holding registers),
 * 05 (write single coil), 06 (write single register) and 16 (write multiple
 * registers). Nothing is ever sent from here.
 *
 * Common rules of the builders:
 *  - station 0 to 255; of the address high and low bytes only the low 8 bits
 *    count (an address of -1 split into two bytes is FF FF); the read or
 *    written range must end at or below address 0xFFFF;
 *  - command must hold 255 bytes (the longest command is 255 bytes); the out
 *    pointers and aux may be null when the caller does not want them;
 *  - the result is 0 on success; on failure -1, and nothing is written;
 *  - out1, the data format code, is 0: the reply carries raw binary data;
 *  - aux[0], aux[1]: the length of the device's normal reply, low byte first.
 *
 * A 32-bit value is two registers; its word order is the caller's choice
 * (the value bytes are sent as given), so both word orders work alike.
 */

#include "transfer/ProtocolEntryPoints.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#define MODBUS_PROTOCOL_API __declspec(dllexport)
#else
#define MODBUS_PROTOCOL_API __attribute__((visibility("default")))
#endif

/* Read coils (function 01) of bitCount coils (1 to 2000) from the address.
 * out2 = out3 = command length (8); out4 = 3, the position of the first data
 * byte in the reply; reply length 5 + ceil(bitCount / 8). Coil k of the read
 * is bit k mod 8 of reply byte 3 + k / 8 (see GetReadCoilPos). */
MODBUS_PROTOCOL_API int ReadBit(int station, int addressHigh, int addressLow, int bitCount, unsigned char* command,
    int* out1, int* out2, int* out3, int* out4, unsigned char* aux);

/* Read holding registers (function 03) of wordCount registers (1 to 125).
 * out2 = out3 = command length (8); out4 = 3; reply length 5 + 2 x wordCount.
 * Register k of the read is reply bytes 3 + 2k (high) and 4 + 2k (low). */
MODBUS_PROTOCOL_API int ReadRegister(int station, int addressHigh, int addressLow, int wordCount,
    unsigned char* command, int* out1, int* out2, int* out3, int* out4, unsigned char* aux);

/* Write single coil (function 05): value 1 switches the coil on (FF 00),
 * 0 off (00 00); any other value fails. out2 = out3 = 8; reply length 8. */
MODBUS_PROTOCOL_API int WriteSigleBit(int station, int addressHigh, int addressLow, int value,
    unsigned char* command, int* out1, int* out2, int* out3, unsigned char* aux);

/* Write registers: wordCount 1 gives function 06, 2 to 123 function 16.
 * values holds 2 x wordCount bytes, sent in the order given (high byte of each
 * register first on the wire). out2 = out3 = command length (8 for one word,
 * 9 + 2 x wordCount otherwise); out4 = position of the first value byte in
 * the command (4 or 7), so a command's head is its first out4 bytes; reply
 * length 8. groupMode is accepted for every mode and changes nothing. */
MODBUS_PROTOCOL_API int WriteRegister(int station, int addressHigh, int addressLow, const unsigned char* values,
    int wordCount, unsigned char* command, int* out1, int* out2, int* out3, int* out4, unsigned char* aux,
    int groupMode);

/* Position of a coil in the reply of a coil read that starts at readStart:
 * returns the reply byte (3 + (coilAddress - readStart) / 8) and gives the
 * bit inside it through bitNumber ((coilAddress - readStart) mod 8).
 * A coil before readStart returns -1 with bitNumber 0. */
MODBUS_PROTOCOL_API int GetReadCoilPos(int readStart, int coilAddress, int* bitNumber);

/* The same position for the first coil of an alarm block read from
 * readStart: the reply byte, and the bit inside it through bitNumber. */
MODBUS_PROTOCOL_API int GetALMRetAdd(int readStart, int coilAddress, int* bitNumber);

/* Bit number, inside its reply byte, of the coil `number` places after a
 * read's first coil: number mod 8; -1 for a negative number. */
MODBUS_PROTOCOL_API int GetBitStart(int number);

/* 1: commands and replies are raw bytes checked with CRC-16. */
MODBUS_PROTOCOL_API int GetHexCommIns(unsigned char* aux);

/* 1: the check is CRC-16, low byte first. */
MODBUS_PROTOCOL_API int GetCheckType(unsigned char* aux);

/* RTU frames have no head and no tail bytes: both lengths 0; returns 0. */
MODBUS_PROTOCOL_API int GetHeadAndTail(int* headLength, unsigned char* head, int* tailLength, unsigned char* tail,
    unsigned char* aux);

/* Decodes a command built by the builders above (the kind argument is not
 * needed: the function code tells). decoded receives 7 bytes: station,
 * address high, address low, then for writes the first value bytes as the
 * command holds them (function 05: 1 for on, 0 for off; 06: the two value
 * bytes; 16: the first four value bytes), zeros otherwise.
 * out2 = the command's bit or word count (1 for 05 and 06); out3 = 3, the
 * position of the first data byte in a read's reply; out4 = command length.
 *
 * For reads, replyPosition names the reply byte that holds an item and
 * turns the start address into that item's address:
 *  - 0: the start address itself;
 *  - read coils: the byte GetReadCoilPos gave, with bit its bit number
 *    (0 to 7): address = start + 8 x (replyPosition - 3) + bit;
 *  - read registers: the reply position of a register, plus 0x80 when it
 *    names a bit inside it: address = start + (position - 3) / 2.
 * A position outside the read's reply fails.
 *
 * An all-zero command (function code 0, an empty command) decodes to
 * station 0 and address 0 and succeeds. Any other unknown function code
 * returns -1. Reads at most the first 11 bytes of the command. */
MODBUS_PROTOCOL_API int GetIDandAddress(int kind, const unsigned char* command, int replyPosition, int bit,
    unsigned char* decoded, int* out2, int* out3, int* out4);

#ifdef __cplusplus
}
#endif
