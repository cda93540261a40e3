#pragma once

#include <cstdint>
#include <string>

// One global button: a panel key that acts on the device on every screen.
// Fields are in the order the editor and the files know them; the start
// values are those of a new button (set coil ON, station 1, unsigned).
struct GlobalButton {
    // Bits 2-4: function (0 jump, 1 set coil, 2 set register, 3 increment,
    // 4 decrement); bits 5-7: coil action (0 ON, 1 OFF, 2 toggle,
    // 3 momentary ON, 4 momentary OFF).
    std::uint8_t Function = 4;
    // Bit 2: the key is protected by a user level.
    std::uint8_t Flags = 0;
    int Station = 1;
    int RegisterCount = 1; // 1, or 2 for two 16-bit words taken as one 32-bit value
    int JumpScreen = 1;
    std::string GroupName;
    std::string ElementName;
    std::string TypeText;  // "位元件", "16位字元件" or "32位字元件" (GBK)
    int ElementType = 0;   // 0 bit, 16, 32
    int UserLevel = 0;     // level index: 0 low, 1 middle, 2 high
    int Value = 65535;
    int Step = 0;
    int Limit = 0;
    std::uint8_t DisplayFormat = 1; // 0 HEX, 1 unsigned, 2 signed
    int KeyCode = 0;       // the panel's own key order, 0 to 23
    int Port = 0;          // 0 RS485, 1 COM1

    static constexpr std::uint8_t ProtectedFlag = 0x04;

    // A single 16-bit register keeps 16-bit values; every other button 32-bit ones.
    bool HasSingleWordValues() const { return ElementType == 16 && RegisterCount == 1; }

    bool operator==(const GlobalButton&) const = default;
};
