#pragma once

#include "transfer/ProtocolFunctionTable.h"

#include <array>
#include <cstdint>
#include <string>

class ByteWriter;

// One device command built by the protocol library, with its outputs.
struct LibraryCommand {
    int result = -1; // the entry point's result; -1 when the library lacks the entry
    std::array<std::uint8_t, 255> bytes{};
    int out1 = 0;
    int out2 = 0;
    int out3 = 0;
    int out4 = 0;

    // Appends [length][the command's first `length` bytes], the way the panel
    // image stores a command; `length` is the output the record names.
    void AppendTo(ByteWriter& out, int length) const;
};

// The frame head and tail of the device protocol, and the entry's result.
struct FrameHeadTail {
    int result = 0;
    std::string head;
    std::string tail;
};

// The protocol library's builders, called with an address split into its high
// byte (address / 256) and low byte (address % 256) and fresh buffers.
class DeviceCommands {
public:
    explicit DeviceCommands(const ProtocolFunctionTable& table) : m_table(table) {}

    LibraryCommand ReadBit(int station, int address, int bitCount) const;
    LibraryCommand ReadRegister(int station, int address, int wordCount) const;
    LibraryCommand WriteSigleBit(int station, int address, int value) const;
    // `values` holds 2 x wordCount bytes; `out4` is the value out4 holds when
    // the library is called.
    LibraryCommand WriteRegister(int station, int address, const std::uint8_t* values, int wordCount, int groupMode,
        int out4 = 0) const;

    // Reply byte and bit (through `bit`) of a coil in a read that starts at
    // `readStart`: GetReadCoilPos, and GetALMRetAdd for alarm blocks. A
    // library without the entry gives 0 and bit 0.
    int ReadCoilPosition(int readStart, int coil, int& bit) const;
    int AlarmCoilPosition(int readStart, int coil, int& bit) const;

    // What the panel needs to know of the protocol: GetHexCommIns, GetCheckType
    // and GetHeadAndTail. A library without the entry gives 0 (and no head or
    // tail).
    int HexCommands() const;
    int CheckType() const;
    FrameHeadTail HeadAndTail() const;

private:
    const ProtocolFunctionTable& m_table;
};
