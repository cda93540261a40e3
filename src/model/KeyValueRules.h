#pragma once

#include "base/ValueText.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The number fields of a key that writes a register, shared by function keys
// and global buttons: the value a set-register key writes, the step of an
// increment or decrement key and its limit (upper for increment, lower for
// decrement), each stored as a 32-bit pattern and entered, shown and judged
// in the key's format at the key's width (ValueText.h).
struct KeyValueFields {
    std::int32_t value = 0;
    std::int32_t step = 0;
    std::int32_t limit = 0;
};

// The format of a key's stored format code: 0 HEX, 2 signed, any other
// code unsigned.
NumberFormat KeyNumberFormat(int storedFormat);

// The limit a key takes whenever it is reset: the top of the range for an
// increment key, the bottom for every other key.
std::int64_t DefaultKeyLimit(bool increment, NumberFormat format, int bits);

// A step text is a value text (ParseValueText with `digits`) whose number is
// greater than 0: "", "0", "00" and "-1" are refused. The spin arrows keep a
// step within StepRange, so never below 1.
std::optional<std::int64_t> ParseStepText(std::string_view text, NumberFormat format, int bits,
    DigitLimit digits = {});
NumberRange StepRange(NumberFormat format, int bits);

// After the width changed (element type or register count): a 16-bit value
// and step are brought into the 16-bit range of the format (HEX and unsigned
// read the field unsigned, so a negative one becomes the top), then the
// limit takes its default. 32-bit values are kept.
void FitKeyValuesToWidth(KeyValueFields& fields, NumberFormat format, int bits, bool increment);

// How a change of format treats the two 16-bit cases in which function keys
// and global buttons differ. By default a negative signed value becomes 0 in
// HEX and a HEX value above 32767 becomes 32767 in signed; a global button
// keeps the 16-bit pattern instead: -5 becomes FFFB and FFFF becomes -1.
struct FormatChangeRules {
    bool keepSixteenBitPattern = false;
};

// The fields converted from format `from` to `to` at `bits`, the limit reset:
// - to unsigned or HEX: a negative signed value becomes 0 and a negative
//   signed step 1 (at 16 bits, negative means bit 15 set; see the rules for
//   HEX); at 16 bits HEX keeps only the low 16 bits;
// - to signed: a value or step above the signed maximum becomes it (see the
//   rules for HEX at 16 bits).
// Nothing changes when the formats are equal.
void ConvertKeyValues(KeyValueFields& fields, NumberFormat from, NumberFormat to, int bits, bool increment,
    FormatChangeRules rules = {});
