#pragma once

#include "transfer/image/DeviceCommands.h"

#include <cstdint>

class ByteWriter;
class CVX50TextDoc;

// The action part that function-key records (in screen records) and the
// header's global-button records share: the action code the panel runs
// (record byte 7) and the bytes after it, with the device commands that the
// action sends, built by the protocol library.

// Action codes.
enum KeyActionCode : std::uint8_t {
    WriteOnceCode = 0,        // set a coil or a register
    ToggleCoilCode = 1,
    JumpCode = 2,
    MomentaryCoilCode = 3,
    WriteWordBitCode = 4,     // set or reset a bit inside a register
    ToggleWordBitCode = 5,
    MomentaryWordBitCode = 6,
    NoLibraryCode = 7,        // without the protocol library: each record its own bytes
    StepRegisterCode = 8,     // increment or decrement
};

// Actions, numbered as function keys number them (CFuncKeyElement::Action).
enum KeyAction : int {
    SetCoilAction = 0,
    SetRegisterAction = 1,
    JumpAction = 2,
    IncrementAction = 3,
    DecrementAction = 4,
};

enum CoilOperation : int { CoilOn = 0, CoilOff = 1, CoilToggle = 2, MomentaryOn = 3, MomentaryOff = 4 };

// Everything the action bytes are built from.
struct KeyActionSource {
    int action = SetCoilAction;
    int coilOperation = CoilOn;
    int station = 0;
    int address = 0;     // word address given to the library calls
    int groupMode = 0;   // of the element's group: 1 coils, 0 or 2 bits inside words
    int bit = 0;         // the element's bit number
    int wordSize = 0;    // 0, 16 or 32
    int registerCount = 1;
    bool wide = false;   // the value is 32 bits (not one 16-bit register)
    int setValue = 0;
    int step = 0;
    int limit = 0;
    int targetScreen = 1;
};

// How a failed check stops the build: each shows its message (selecting the
// element that has one) and throws.
class KeyActionFailures {
public:
    virtual ~KeyActionFailures() = default;
    // A library call failed: 61255, 61256, 61259 or 61245.
    [[noreturn]] virtual void LibraryCallFailed(int messageId) const = 0;
    // The jump target names no screen (61261).
    [[noreturn]] virtual void JumpTargetMissing() const = 0;
};

struct KeyActionContext {
    const CVX50TextDoc& doc; // the screens and the device's word order
    const DeviceCommands& commands;
    const KeyActionFailures& failures;
    // Function keys accept any result of 0 and above from the write of a
    // single 16-bit set value; every other write must give exactly 0.
    bool singleSetValueAcceptsPositive = false;
};

// The action code while the protocol library is in use.
KeyActionCode ActionCodeOf(int action, int coilOperation, int groupMode);

// Whether a set-register action's value fits one of the two writes: one
// 16-bit register, or two registers (a 32-bit word or two 16-bit words).
bool HasSetRegisterWrite(int wordSize, int registerCount);

// The increment check the panel relies on: in HEX and unsigned formats
// (format 0 or 1) the step may not be above the limit, compared unsigned.
bool StepAboveLimit(int step, int limit, int format);

// Appends the bytes that follow byte 7 for `code` (any code but
// NoLibraryCode). The library calls are made in record order, each right
// before its bytes; a failed call or a missing jump target stops the build.
void AppendKeyActionBytes(ByteWriter& out, KeyActionCode code, const KeyActionSource& source,
    const KeyActionContext& context);
