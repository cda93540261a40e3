#pragma once

#include "model/elements/CScreenElement.h"

#include <string>

class CRegisterElement;

// How many digits and decimals a register shows, and its preview: the text
// the editor draws for it, whose length sets the register's size.

// The most digits a register shows: 4 (HEX/BCD) or 5 (decimal) for one
// 16-bit register, 8 or 10 for a 32-bit value. Digits run from 1 to it,
// decimals from 0 to it, and the decimals never exceed the digits.
int RegisterDigitMaximum(bool hexBcd, int wordSize, int registerCount);
int RegisterDigitMaximum(const CRegisterElement& reg);

// Typed digits: refused (false) outside 1 to the maximum; accepted digits
// bring larger decimals down to them.
bool SetRegisterDigits(CRegisterElement& reg, int digits);
// Typed decimals: refused outside 0 to the maximum; accepted decimals raise
// smaller digits to them.
bool SetRegisterDecimals(CRegisterElement& reg, int decimals);

// After the register's width changed (register count or element type): on
// one 16-bit register digits and decimals are cut to its maximum; on a
// 32-bit value digits standing at the 16-bit maximum of the format rise to
// the 32-bit one.
void FitRegisterDigitsToWidth(CRegisterElement& reg);

// The format radios. HEX/BCD: unsigned, no decimals, digits cut to the HEX
// maximum. Decimal: digits standing at the HEX maximum rise to the decimal
// one.
void MakeRegisterHexBcd(CRegisterElement& reg);
void MakeRegisterDecimal(CRegisterElement& reg);

// A preview of `length` characters: 8 x 16 dots each, doubled at double size.
DotSize RegisterPreviewSize(int length, bool doubleSize);

// Rebuilds the register's preview from its digits, decimals, format, width,
// indent and sign (the rule of RegisterPreviewText); its size follows and it
// moves left (and up, with `pullUp`) as far as it must to stay on the display.
void UpdateRegisterPreview(CRegisterElement& reg, bool pullUp);
