#pragma once

#include "transfer/image/ImageReading.h"
#include "transfer/image/KeyActionRecord.h"

// The action part of a function-key or global-button record read back: the
// bytes after the action code (record byte 7), decoded into what the key or
// button does and the device address it acts on. The reverse of
// AppendKeyActionBytes.
struct KeyActionRead {
    int action = SetCoilAction;
    int coilOperation = CoilOn;
    int station = 0;
    int address = 0;
    int bit = 0;
    int wordSize = 0;     // 0 coil, 16 or 32
    int registerCount = 1;
    int value = 0;        // set register
    int limit = 0;        // increment and decrement
    int step = 0;
    int targetScreen = 0; // the jump's stored reference
    // Without the protocol library (code 7): the key's own address bytes.
    bool withoutLibrary = false;
    int addressByte = 0;
    int lowAddressByte = 0;
};

struct KeyActionFormat {
    std::uint8_t flags = 0;  // record byte 5
    bool functionKey = true; // global buttons carry no bytes for code 7
    int highFront = 0;       // the device's word order of 32-bit values
};

// Reads the action bytes of `code` from `in`. An action code no write
// produces throws FormatError.
KeyActionRead ReadKeyAction(ByteReader& in, int code, const KeyActionFormat& format, const CommandDecoder& decoder);
