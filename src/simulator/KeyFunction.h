#pragma once

#include <cstdint>
#include <string>

class CFuncKeyElement;
struct GlobalButton;

// What a key bound by a function-key element or a global button does while
// simulating, gathered from either.
struct KeyFunction {
    enum Kind : int { Coil = 0, SetRegister = 1, Jump = 2, Increment = 3, Decrement = 4 };

    int kind = Coil;       // above 4: a function the panel does not know
    int coilAction = 0;    // CoilAction.h
    int dataFormat = 0;    // 0 HEX, 1 unsigned, 2 signed
    int width = 16;        // of register values: 16, or 32 over two registers
    int station = 1;
    std::string groupName; // GBK
    std::string elementName;
    std::uint32_t value = 0; // written by SetRegister
    std::uint32_t step = 0;
    std::uint32_t limit = 0;
    int targetScreen = 1;
};

KeyFunction FunctionOfKey(const CFuncKeyElement& key);
// A button stores its function in bits 2-4 of Function in its own order (0
// jump, 1 coil, 2 set register, then increment and decrement) and its coil
// action in bits 5-7.
KeyFunction FunctionOfButton(const GlobalButton& button);
