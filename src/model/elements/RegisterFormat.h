#pragma once

#include <cstdint>
#include <string>

// The display and entry settings of a register that the live-value formatting
// and the keypad entry need, gathered from the register's members.
struct RegisterFormat {
    int digits = 5;
    int decimals = 0;
    bool hexBcd = false;
    bool isSigned = false;
    bool engineeringScale = false;
    bool settable = false;
    int alignment = 0;  // 0 keeps the leftmost digits of a long number, 1 the rightmost
    int32_t rawUpper = 0xFFFF;
    int32_t rawLower = 0;
    int32_t engUpper = 0xFFFF;
    int32_t engLower = 0;
};

// Digits allowed for a register: 1 to 5 for one 16-bit register, 1 to 10
// otherwise. Decimals may be 0 to the digits (a value of all decimals shows as
// "0." and its digits).
int RegisterMaxDigits(int registerCount, int wordSize);

// Clamps digits and decimals read from a file or a panel record to the limits.
void ClampRegisterDigits(int registerCount, int wordSize, int& digits, int& decimals);

// Puts the decimal point into a text of `digits` decimal digits: "0." in front
// when every digit is a decimal, else before the last `decimals` digits.
std::string WithDecimalPoint(const std::string& digitText, int digits, int decimals);
